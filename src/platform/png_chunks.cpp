#include "platform/png_chunks.h"

#include <QIODevice>
#include <QtEndian>

namespace fathomer {

namespace {

constexpr qint64 kSignatureBytes = 8;
constexpr qint64 kChunkFrame = 12;  // length, type and check sum around a chunk's data
// A real picture has a few dozen; a file cut into millions of tiny chunks between left-out ones
// would make the list of ranges alone cost more than the picture.
constexpr size_t kMaxSpans = 4096;
// A 64 MB picture written in 8 KB chunks has 8000; walking millions of empty ones takes seconds.
constexpr int kMaxChunks = 100000;

bool keptForDecoder(const char *type) {
    const bool critical = (type[0] & 0x20) == 0;
    return critical || qstrncmp(type, "tRNS", 4) == 0;
}

// The chunk's type as a message shows it: four letters in a sound file, nothing otherwise.
QString typeForMessage(const char *type) {
    for (int i = 0; i < 4; ++i)
        if (!((type[i] >= 'a' && type[i] <= 'z') || (type[i] >= 'A' && type[i] <= 'Z'))) return QStringLiteral("a");
    return QStringLiteral("its ") + QString::fromLatin1(type, 4);
}

void addSpan(PngChunkMap &map, qint64 offset, qint64 length) {
    if (!map.spans.empty() && map.spans.back().first + map.spans.back().second == offset)
        map.spans.back().second += length;
    else
        map.spans.emplace_back(offset, length);
}

void readHeader(PngChunkMap &map, const uchar *data) {
    map.size = QSize(int(qMin<quint32>(qFromBigEndian<quint32>(data), 0x7FFFFFFF)),
                     int(qMin<quint32>(qFromBigEndian<quint32>(data + 4), 0x7FFFFFFF)));
    map.bitDepth = data[8];
    map.colourType = data[9];
    map.interlaced = data[12] != 0;
}

}  // namespace

std::optional<PngChunkMap> mapPngChunks(QIODevice &device, QString *damage) {
    const auto fail = [damage](const QString &why) {
        if (damage) *damage = why;
        return std::nullopt;
    };
    const qint64 fileSize = device.size();
    PngChunkMap map;
    if (!device.seek(0) || device.read(kSignatureBytes) != QByteArray("\x89PNG\r\n\x1a\n", 8))
        return fail(QStringLiteral("not a PNG picture"));
    addSpan(map, 0, kSignatureBytes);
    int chunks = 0;
    for (qint64 at = kSignatureBytes; at + 8 <= fileSize; ++chunks) {
        if (chunks == kMaxChunks) return fail(QStringLiteral("the picture file is damaged: too many chunks"));
        uchar head[8];
        if (!device.seek(at) || device.read(reinterpret_cast<char *>(head), 8) != 8) break;
        const char *type = reinterpret_cast<const char *>(head + 4);
        const quint32 length = qFromBigEndian<quint32>(head);
        if (qint64(length) > fileSize - at - kChunkFrame)
            return fail(
                QStringLiteral("the picture file is damaged: %1 chunk claims %2 bytes, more than the file holds")
                    .arg(typeForMessage(type), QString::number(length)));
        if (qstrncmp(type, "IHDR", 4) == 0 && length == 13) {
            uchar data[13];
            if (device.read(reinterpret_cast<char *>(data), 13) == 13) readHeader(map, data);
        }
        if (qstrncmp(type, "tRNS", 4) == 0 && (map.colourType == 0 || map.colourType == 2))
            map.transparencyColour = true;
        if (keptForDecoder(type)) addSpan(map, at, kChunkFrame + length);
        if (map.spans.size() > kMaxSpans) return fail(QStringLiteral("the picture file is damaged: too many chunks"));
        if (qstrncmp(type, "IEND", 4) == 0) break;
        at += kChunkFrame + length;
    }
    return map;
}

}  // namespace fathomer
