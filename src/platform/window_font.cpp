#include "platform/window_font.h"

namespace fathomer {

QFont windowFont(int pixelSize, FontStyles styles, const QStringList &families) {
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(styles.testFlag(FontStyle::Bold));
    font.setItalic(styles.testFlag(FontStyle::Italic));
    font.setUnderline(styles.testFlag(FontStyle::Underline));
    return font;
}

}  // namespace fathomer
