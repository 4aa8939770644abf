#include "platform/desktop_opener.h"
#include "windows/about.h"
#include "windows_fixture.h"

#include <QScreen>
#include <memory>

using namespace fathomer;

class AboutTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TAboutForm> form;
    QList<QUrl> opened;

    void openAbout() {
        form->showAbout();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
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
        QCOMPARE(form->size(), QSize(397, 176));
        QCOMPARE(form->minimumSize(), form->maximumSize());
        QCOMPARE(form->palette().color(QPalette::Window), QColor(8, 41, 82));
        const Qt::WindowFlags flags = form->windowFlags();
        QVERIFY(flags & Qt::WindowStaysOnTopHint);
        QVERIFY(flags & Qt::WindowSystemMenuHint);
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(form->im_picture->geometry(), QRect(8, 8, 116, 160));
        QCOMPARE(form->im_picture->picture().size(), QSize(116, 160));
    }

    void labels_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("bounds");  // an empty size: sized to its text
        QTest::addColumn<int>("pixelSize");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<bool>("link");
        QTest::newRow("name caption") << "la_name_1" << QRect(132, 8, 72, 14) << 11 << false << false << false;
        QTest::newRow("name") << "la_name_2" << QRect(212, 8, 147, 14) << 11 << true << false << false;
        QTest::newRow("birthplace") << "la_birthplace_2" << QRect(212, 32, 101, 14) << 11 << true << false << false;
        QTest::newRow("birth date caption") << "la_birthdate_1" << QRect(132, 56, 72, 14) << 11 << false << false << false;
        QTest::newRow("birth date") << "la_birthdate_2" << QRect(212, 56, 101, 14) << 11 << true << false << false;
        QTest::newRow("occupation") << "la_job_2" << QRect(212, 80, 133, 14) << 11 << true << false << false;
        QTest::newRow("hobby caption") << "la_hobby_1" << QRect(132, 104, 0, 0) << 11 << false << false << false;
        QTest::newRow("hobby") << "la_hobby_2" << QRect(212, 104, 93, 14) << 11 << true << true << false;
        QTest::newRow("website caption") << "la_website_1" << QRect(132, 128, 0, 0) << 11 << false << false << false;
        QTest::newRow("website") << "la_website_2" << QRect(212, 128, 168, 15) << 12 << true << false << true;
        QTest::newRow("email caption") << "la_email_1" << QRect(132, 152, 0, 0) << 11 << false << false << false;
        QTest::newRow("email") << "la_email_2" << QRect(212, 152, 168, 15) << 12 << true << false << true;
    }

    void labels() {
        QFETCH(QString, name);
        QFETCH(QRect, bounds);
        QFETCH(int, pixelSize);
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        QFETCH(bool, link);
        auto *label = form->findChild<QLabel *>(name);
        QVERIFY(label);
        QCOMPARE(label->pos(), bounds.topLeft());
        const int textWidth = QFontMetrics(label->font()).horizontalAdvance(label->text());
        // A designed box keeps its size unless the text needs more width; the rest fit their text.
        if (!bounds.isEmpty()) QCOMPARE(label->size(), QSize(std::max(bounds.width(), textWidth), bounds.height()));
        const QFont font = label->font();
        QCOMPARE(font.family(), QStringLiteral("Arial"));
        QCOMPARE(font.pixelSize(), pixelSize);
        QCOMPARE(font.bold(), bold);
        QCOMPARE(font.italic(), italic);
        QCOMPARE(font.underline(), link);
        QCOMPARE(label->palette().color(QPalette::WindowText), link ? QColor(Qt::yellow) : QColor(Qt::white));
        QCOMPARE(label->cursor().shape(), link ? Qt::PointingHandCursor : Qt::ArrowCursor);
        QVERIFY(!label->autoFillBackground());
        // The whole text shows: none is cut off at the label's right edge.
        QVERIFY2(textWidth <= label->width(), qPrintable(label->text()));
    }

    void emailLabelShowsTheAddressItWritesTo() {
        QCOMPARE(QStringLiteral("mailto:") + form->la_email_2->text(), TAboutForm::kEmailUrl.toString());
        QCOMPARE(TAboutForm::kWebsiteUrl.host(), form->la_website_2->text());
        QCOMPARE(TAboutForm::kWebsiteUrl.path(), QStringLiteral("/sim/"));
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
        QTest::addColumn<QString>("name");
        QTest::addColumn<QUrl>("url");
        QTest::newRow("website") << "la_website_2" << QUrl("https://www.example.org/sim/");
        QTest::newRow("email") << "la_email_2" << QUrl("mailto:fathomer@example.org");
    }

    void links() {
        QFETCH(QString, name);
        QFETCH(QUrl, url);
        openAbout();
        auto *label = form->findChild<QLabel *>(name);
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
            if (w == form->la_website_2 || w == form->la_email_2) continue;
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
