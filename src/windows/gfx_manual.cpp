#include "gfx_manual.h"

#include "app_error.h"
#include "manual.h"
#include "picture_file.h"
#include "profile_file.h"

#include <QFile>
#include <QFileInfo>

namespace fathomer {

void Gfx_Load_Manual(TManualForm &form) {
    const ProfileFile config = ProfileFile::load(form.configFilePath());
    const QString section = QStringLiteral("Manual");
    const QString folder = config.readDirectory(section, QStringLiteral("ManualDir"), QStringLiteral("Graphics\\Manual\\"));
    const int height = config.readInteger(section, QStringLiteral("ManualHeight"), 660);
    const int width = config.readInteger(section, QStringLiteral("ManualWidth"), 480);
    form.setClientSize(width, height);
    const QRect client = form.rect();
    form.im_page_top->setGeometry(client);
    form.sh_page_top->setGeometry(client);

    for (int n = 1; n <= kManualPageCount; ++n) {
        SkinImage &holder = *form.Manual_Pages[n];
        const QString path = configuredPath(folder, QString::number(n) + QStringLiteral(".bmp"));
        QFile file(path);
        // The file is read now and decoded when the page is first shown. Always the BMP decoder,
        // whatever the file really holds; a page it cannot read is treated as missing rather than
        // stopping the program.
        if (QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly))
            holder.setPendingPicture(file.readAll(), "bmp", missingPicturePlaceholder());
        else
            holder.setPicture(missingPicturePlaceholder(), SkinImage::Kind::Bitmap);
        holder.setGeometry(client);
    }
}

}  // namespace fathomer
