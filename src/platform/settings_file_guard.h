#pragma once

#include <QString>

namespace fathomer {

// Stands between the settings file and the settings library, which opens whatever it finds (a
// FIFO blocks it for good) and replaces what it cannot parse. Before each use the file is looked
// at without opening anything that could block; a file that is not this program's own text (a
// FIFO, device, folder, a link to one of those or to nothing, another encoding, binary junk, an
// absurd size) is renamed to a kept backup beside it, so the user's bytes survive the next write.
class SettingsFileGuard {
public:
    explicit SettingsFileGuard(QString path);

    struct Outcome {
        bool usable = true;  // the library may read and write the path
        QString backup;      // set when the file was just moved aside
    };
    Outcome check() const;
    const QString &path() const { return file; }

    // Larger than any settings file of nine short values, even with the user's own notes in it
    // (up to kNotesBytes) and the values the program adds to such a file.
    static constexpr qint64 kNotesBytes = 1 << 20;
    static constexpr qint64 kMaxBytes = kNotesBytes + (1 << 12);

private:
    QString file;
};

}  // namespace fathomer
