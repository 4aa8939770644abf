#include "platform/desktop_opener.h"
#include "windows/about.h"
#include "windows_fixture.h"

#include <QScreen>
#include <memory>

using namespace fathomer;
using fathomer::testing::control;

class AboutTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TAboutForm> form;
    QList<QUrl> opened;

    void openAbout() {
        form->showAbout();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    QLabel *labelShowing(const QString &text) const {
        for (QLabel *label : form->findChildren<QLabel *>())
            if (label->text() == text) return label;
        return nullptr;
    }
    // Where a label's text is drawn: from its top-left corner, as wide and high as the text.
    static QRect textArea(const QLabel *label) {
        const QFontMetrics metrics(label->font());
        return {label->pos(), QSize(metrics.horizontalAdvance(label->text()), metrics.height())};
    }

private slots:
    void initTestCase() { fathomer::testing::installQuietHandler(); }
    void init() {
        opened.clear();
        form = std::make_unique<TAboutForm>();
        setDesktopOpener([this](const QUrl &url) { opened << url; });
    }
    void cleanup() {
        form.reset();
        setDesktopOpener([](const QUrl &) {});
    }

    void window() {
        QCOMPARE(form->windowTitle(), QStringLiteral("About the author..."));
        QCOMPARE(form->minimumSize(), form->maximumSize());
        QCOMPARE(form->palette().color(QPalette::Window), QColor(8, 41, 82));
        const Qt::WindowFlags flags = form->windowFlags();
        QVERIFY(flags & Qt::WindowStaysOnTopHint);
        QVERIFY(flags & Qt::WindowSystemMenuHint);
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        // The picture shows whole, and no text is drawn over it or over another text.
        const SkinImage &picture = control<SkinImage>(*form, "im_picture");
        QVERIFY(form->rect().contains(picture.geometry()));
        QCOMPARE(picture.picture().size(), picture.size());
        QList<QRect> drawn{picture.geometry()};
        for (const QLabel *label : form->findChildren<QLabel *>()) {
            for (const QRect &other : drawn) QVERIFY2(!textArea(label).intersects(other), qPrintable(label->text()));
            drawn << textArea(label);
        }
    }

    void cardLines_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("link");
        QTest::newRow("name") << "Name:"
                              << "Fathomer Project (\"Sonar\")" << false;
        QTest::newRow("birthplace") << "Birthplace:"
                                    << "Debian, Internet" << false;
        QTest::newRow("birth date") << "Birth date:"
                                    << "8 December 2026" << false;
        QTest::newRow("occupation") << "Occupation:"
                                    << "simulating a handheld" << false;
        QTest::newRow("hobby") << "Hobby:"
                               << "counting pings" << false;
        QTest::newRow("website") << "Website:"
                                 << "www.example.org" << true;
        QTest::newRow("email") << "Email:"
                               << "fathomer@example.org" << true;
    }

    // What the card reads: each caption with its value after it on the same line, both texts
    // whole inside the window, the values in bold and the links set apart from the rest.
    void cardLines() {
        QFETCH(QString, caption);
        QFETCH(QString, value);
        QFETCH(bool, link);
        const QLabel *captionLabel = labelShowing(caption);
        const QLabel *valueLabel = labelShowing(value);
        QVERIFY(captionLabel && valueLabel);
        const QRect captionText = textArea(captionLabel), valueText = textArea(valueLabel);
        QVERIFY(captionText.top() <= valueText.bottom() && valueText.top() <= captionText.bottom());
        QVERIFY(captionText.right() < valueText.left());
        QVERIFY(!captionLabel->font().bold() && valueLabel->font().bold());
        for (const QLabel *label : {captionLabel, valueLabel}) {
            const bool isLink = link && label == valueLabel;
            QVERIFY2(label->geometry().contains(textArea(label)) && form->rect().contains(label->geometry()),
                     qPrintable(label->text()));
            QCOMPARE(label->font().underline(), isLink);
            QCOMPARE(label->palette().color(QPalette::WindowText), isLink ? QColor(Qt::yellow) : QColor(Qt::white));
            QCOMPARE(label->cursor().shape(), isLink ? Qt::PointingHandCursor : Qt::ArrowCursor);
        }
    }

    void keys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("closes");
        QTest::newRow("escape") << int(Qt::Key_Escape) << true;
        QTest::newRow("return") << int(Qt::Key_Return) << false;
        QTest::newRow("space") << int(Qt::Key_Space) << false;
        QTest::newRow("letter") << int(Qt::Key_Q) << false;
        QTest::newRow("arrow") << int(Qt::Key_Left) << false;
    }

    void keys() {
        QFETCH(int, key);
        QFETCH(bool, closes);
        openAbout();
        QTest::keyClick(form.get(), Qt::Key(key));
        QCOMPARE(form->isVisible(), !closes);
        QVERIFY(opened.isEmpty());
    }

    void links_data() {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QUrl>("url");
        QTest::addColumn<bool>("byKeys");  // reached with Tab and followed with Enter
        QTest::newRow("website") << "www.example.org" << QUrl("https://www.example.org/sim/") << false;
        QTest::newRow("email") << "fathomer@example.org" << QUrl("mailto:fathomer@example.org") << false;
        QTest::newRow("website by keys") << "www.example.org" << QUrl("https://www.example.org/sim/") << true;
        QTest::newRow("email by keys") << "fathomer@example.org" << QUrl("mailto:fathomer@example.org") << true;
    }

    void links() {
        QFETCH(QString, shown);
        QFETCH(QUrl, url);
        QFETCH(bool, byKeys);
        openAbout();
        QLabel *label = labelShowing(shown);
        QVERIFY(label);
        if (byKeys) {
            for (int tabs = 0; tabs < 3 && form->focusWidget() != label; ++tabs)
                QTest::keyClick(form->focusWidget() ? form->focusWidget() : form.get(), Qt::Key_Tab);
            QCOMPARE(form->focusWidget(), label);
            QTest::keyClick(label, Qt::Key_Return);
            QCOMPARE(opened, QList<QUrl>{url});
            QVERIFY(!form->isVisible());
            return;
        }
        // A press that leaves the label before its release is no click.
        QTest::mousePress(label, Qt::LeftButton);
        QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(-20, 5));
        QVERIFY(opened.isEmpty());
        QTest::mouseClick(label, Qt::RightButton);
        QVERIFY(opened.isEmpty());
        QVERIFY(form->isVisible());

        QTest::mouseClick(label, Qt::LeftButton);
        QCOMPARE(opened, QList<QUrl>{url});
        QVERIFY(!form->isVisible());
    }

    void otherComponentsDoNothing() {
        openAbout();
        for (QWidget *w : form->findChildren<QWidget *>()) {
            if (w == &control<QLabel>(*form, "la_website_2") || w == &control<QLabel>(*form, "la_email_2")) continue;
            QTest::mouseClick(w, Qt::LeftButton);
        }
        QVERIFY(opened.isEmpty());
        QVERIFY(form->isVisible());
    }

    void firstShowingCentredLaterWhereLeft() {
        openAbout();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        // The window as seen, frame included, is in the middle.
        const QSize outer = form->frameGeometry().size();
        QCOMPARE(form->pos(), QPoint((screen.width() - outer.width()) / 2, (screen.height() - outer.height()) / 2));
        form->move(40, 60);
        QTest::keyClick(form.get(), Qt::Key_Escape);
        QVERIFY(!form->isVisible());
        openAbout();
        QCOMPARE(form->pos(), QPoint(40, 60));
        // The close button of the frame only hides it, too.
        QVERIFY(form->close());
        QVERIFY(!form->isVisible());
        openAbout();
        QCOMPARE(form->pos(), QPoint(40, 60));
    }
};

FATHOMER_WINDOWS_TEST_MAIN(AboutTest)
#include "tst_about.moc"
