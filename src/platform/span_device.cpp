#include "platform/span_device.h"

#include <algorithm>

namespace fathomer {

SpanDevice::SpanDevice(QIODevice &source, std::vector<std::pair<qint64, qint64>> spans)
    : source(source), spans(std::move(spans)) {
    for (const auto &span : this->spans) {
        starts.push_back(total);
        total += span.second;
    }
    // Unbuffered: pos() in readData is then where the next byte is read from.
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

qint64 SpanDevice::readData(char *data, qint64 maxSize) {
    qint64 done = 0;
    qint64 at = pos();
    while (done < maxSize && at < total) {
        const size_t i = size_t(std::upper_bound(starts.begin(), starts.end(), at) - starts.begin()) - 1;
        const qint64 within = at - starts[i];
        const qint64 wanted = std::min(maxSize - done, spans[i].second - within);
        if (source.pos() != spans[i].first + within && !source.seek(spans[i].first + within)) break;
        const qint64 got = source.read(data + done, wanted);
        if (got <= 0) break;
        done += got;
        at += got;
    }
    return done > 0 || at >= total ? done : -1;
}

}  // namespace fathomer
