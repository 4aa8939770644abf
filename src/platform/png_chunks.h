#pragma once

#include <QSize>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

class QIODevice;

namespace fathomer {

// What a walk over a PNG file's chunks learnt before any decoder reads it.
struct PngChunkMap {
    QSize size;  // from the header chunk
    int bitDepth = 0;
    int colourType = 0;
    bool interlaced = false;
    bool transparencyColour = false;  // a tRNS chunk for a grey or colour picture (no palette)
    // The byte ranges (offset, length) a decoder is given: the signature, the critical chunks and
    // tRNS. Text, colour profiles and every other ancillary chunk are left out, so no decoder
    // allocates or inflates what they claim; none of them changes a pixel as it is drawn.
    std::vector<std::pair<qint64, qint64>> spans;
};

// Walks the chunks of the PNG file on `device` up to its end chunk. A chunk that claims more
// bytes than are left in the file marks it as damaged: null, with the reason in `damage`.
// Anything else wrong is left to the decoder, which reports it in its own words.
std::optional<PngChunkMap> mapPngChunks(QIODevice &device, QString *damage);

}  // namespace fathomer
