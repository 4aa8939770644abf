#pragma once

#include <QIODevice>
#include <utility>
#include <vector>

namespace fathomer {

// A read-only device that shows the given byte ranges (offset, length) of another device one
// after the other, as if they were one file: a picture file with some of its parts left out,
// without a copy of it in memory.
class SpanDevice : public QIODevice {
public:
    SpanDevice(QIODevice &source, std::vector<std::pair<qint64, qint64>> spans);
    bool isSequential() const override { return false; }
    qint64 size() const override { return total; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QIODevice &source;
    std::vector<std::pair<qint64, qint64>> spans;
    std::vector<qint64> starts;  // where each range begins in this device
    qint64 total = 0;
};

}  // namespace fathomer
