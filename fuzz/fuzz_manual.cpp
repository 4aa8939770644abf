// Manual loading from a fuzzed Config.ini and fuzzed page files. Input parts: Config.ini (its
// Manual section names the window size and the page folder), then the bytes of the pages 1.bmp
// to 8.bmp in Graphics/Manual; a page with no part is missing. The manual is made, shown and
// turned through every page.

#include "fuzz_support.h"
#include "windows/manual.h"

using namespace fathomer;
using namespace fathomer::fuzzing;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    environment();
    const QList<QByteArray> parts = splitParts(inputBytes(data, size), 1 + kManualPageCount);
    ScratchFolder folder;
    folder.write(QStringLiteral("Config.ini"), parts[0]);
    for (int n = 1; n < parts.size(); ++n) folder.write(QStringLiteral("Graphics/Manual/%1.bmp").arg(n), parts[n]);

    TManualForm form(folder.path());
    FUZZ_CHECK(form.width() >= 1 && form.width() <= 16384 && form.height() >= 1 && form.height() <= 16384);
    form.showManual();
    // The page as shown, found as any outside reader of the window finds it: by its name.
    auto *shown = form.findChild<SkinImage *>(QStringLiteral("im_page_top"));
    FUZZ_CHECK(shown);
    for (int n = 1; n <= kManualPageCount; ++n) {
        form.turnTo(n);
        form.Vid_Show_Page();
        // Every page shows a picture: its own or the placeholder.
        FUZZ_CHECK(!shown->picture().isNull());
    }
    // Drawing is the same for every page; once is enough.
    shown->grab();
    form.hide();
    return 0;
}
