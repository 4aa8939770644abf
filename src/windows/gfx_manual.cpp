#include "windows/gfx_manual.h"

#include "config/config_reads.h"
#include "platform/picture_file.h"
#include "platform/program_folder.h"
#include "platform/regular_file.h"
#include "windows/manual.h"

namespace fathomer {

namespace {

// Far beyond a leaflet page's words; a larger file is no page text and is left unread.
constexpr qint64 kMaxPageTextBytes = 64 * 1024;

// The page's words for screen readers; a page without a readable text file simply has none.
QString pageText(const QString &path) {
    const FileBytes file = readRegularFile(path, kMaxPageTextBytes);
    return file.refusal == FileRefusal::None ? QString::fromUtf8(file.bytes).trimmed() : QString();
}

}  // namespace

void Gfx_Load_Manual(TManualForm &form) {
    // A Config.ini that cannot be read is reported by the main window; the manual takes defaults.
    const std::shared_ptr<const ProfileFile> shared =
        form.sharedConfiguration ? form.sharedConfiguration : loadConfiguration(form.configFilePath()).profile;
    const ProfileFile &config = *shared;
    const QString folder = configDirectory(config, config::manualDir);
    const int height = configInteger(config, config::manualHeight);
    const int width = configInteger(config, config::manualWidth);
    form.setClientSize(width, height);
    const QRect client = form.rect();
    form.im_page_top->setGeometry(client);
    form.sh_page_top->setGeometry(client);

    for (int n = 1; n <= kManualPageCount; ++n) {
        SkinImage &holder = *form.Manual_Pages[n];
        const QString path = programFile(configuredPath(folder, QString::number(n) + QStringLiteral(".bmp")));
        // The file is read now and decoded when the page is first shown. Always the BMP decoder,
        // whatever the file really holds; a page it cannot read, or that is no regular file of a
        // picture's size, is treated as missing rather than stopping the program.
        const FileBytes file = readRegularFile(path, kMaxPictureFileBytes);
        if (file.refusal == FileRefusal::None)
            holder.setPendingPicture(file.bytes, "bmp", missingPicturePlaceholder());
        else
            holder.setPicture(missingPicturePlaceholder(), SkinImage::Kind::Bitmap);
        holder.setGeometry(client);
        form.Manual_Texts[n] =
            pageText(programFile(configuredPath(folder, QString::number(n) + QStringLiteral(".txt"))));
    }
}

}  // namespace fathomer
