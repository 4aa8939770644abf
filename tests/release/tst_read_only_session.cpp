// A whole session on a copy of the runnable folder made read-only, with that folder also the
// working directory: start on an empty store, the splash screen and Play, a game played out, every
// menu command but Exit, both display modes, a new key in the key dialog, and the window closed.
// Nothing in the folder may be created, changed or removed: only the settings file is written.
// The user's overlay holds a skin picture and release notes of the user's own, which replace the
// folder's; "Edit configuration file" hands over a copy of Config.ini made there, even where the user
// may write the folder's, and that copy, once changed, is what the next skin load reads.
//
// Tests may run as root, where missing write permissions stop nothing; so besides the permissions
// every file is checksummed, and every entry listed with its times, before and after. The suite
// runs the session a second time as another user, who may not write the folder.

#include "release_fixture.h"

#include "platform/config_copy.h"
#include "platform/config_file.h"

#include <QContextMenuEvent>
#include <QCryptographicHash>

using namespace fathomer;
using namespace fathomer::testing;

namespace {

// The mode bits; WriteUser tells what the current user may do, which for root is everything.
constexpr QFile::Permissions kWriteBits = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;

QStringList entriesUnder(const QString &root) {
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) entries << QDir(root).relativeFilePath(it.next());
    entries.sort();
    return entries;
}

// One line per entry: kind, size, modification time, permissions and, for files, a checksum.
QStringList fingerprint(const QString &root) {
    QStringList lines;
    for (const QString &entry : QStringList{QString()} + entriesUnder(root)) {
        const QFileInfo info(entry.isEmpty() ? root : QDir(root).filePath(entry));
        QString line =
            QStringLiteral("%1 %2 %3 %4 %5")
                .arg(entry.isEmpty() ? QStringLiteral(".") : entry, info.isDir() ? "dir" : "file")
                .arg(info.isDir() ? 0 : info.size())
                .arg(info.lastModified().toMSecsSinceEpoch())
                .arg(int(info.permissions() & ~QFile::Permissions(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser)),
                     0, 16);
        if (info.isFile()) {
            QFile file(info.filePath());
            if (file.open(QIODevice::ReadOnly)) {
                QCryptographicHash hash(QCryptographicHash::Sha256);
                hash.addData(&file);
                line += u' ' + QString::fromLatin1(hash.result().toHex());
            } else {
                line += QStringLiteral(" unreadable");
            }
        }
        lines << line;
    }
    return lines;
}

QByteArray contentOf(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool copyTree(const QString &from, const QString &to) {
    if (!QDir().mkpath(to)) return false;
    for (const QString &entry : entriesUnder(from)) {
        const QFileInfo source(QDir(from).filePath(entry));
        const QString target = QDir(to).filePath(entry);
        if (source.isDir() ? !QDir().mkpath(target) : !QFile::copy(source.filePath(), target)) return false;
    }
    return true;
}

void setWritable(const QString &root, bool writable) {
    // Parents before children when granting, children before parents when taking away.
    QStringList entries = QStringList{QString()} + entriesUnder(root);
    if (!writable) std::reverse(entries.begin(), entries.end());
    for (const QString &entry : entries) {
        const QString path = entry.isEmpty() ? root : QDir(root).filePath(entry);
        const QFile::Permissions now = QFileInfo(path).permissions();
        QFile::setPermissions(path, writable ? now | QFile::WriteOwner : now & ~(kWriteBits | QFile::WriteUser));
    }
}

}  // namespace

class ReadOnlySessionTest : public QObject {
    Q_OBJECT
private slots:
    void wholeSessionWritesOnlyTheSettings();
    void configCopyFollowsReleasesUntilChanged();
};

void ReadOnlySessionTest::wholeSessionWritesOnlyTheSettings() {
    const QString runDir = QStringLiteral(FATHOMER_RUN_DIR);
    QVERIFY(QFileInfo::exists(runDir + "/Config.ini"));
    QTemporaryDir scratch;
    const QString folder = scratch.filePath("program");
    QVERIFY(copyTree(runDir, folder));
    QVERIFY(QFileInfo::exists(folder + "/Sound"));
    setWritable(folder, false);
    const QStringList before = fingerprint(folder);
    for (const QString &entry : entriesUnder(folder))
        QVERIFY2(!(QFileInfo(QDir(folder).filePath(entry)).permissions() & kWriteBits), qPrintable(entry));

    const QString configHome = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"));
    QFile::remove(settingsFilePath());
    QCOMPARE(entriesUnder(configHome), QStringList());
    const QString overlay = QString::fromLocal8Bit(qgetenv("XDG_DATA_HOME")) + "/Brevant/Fathomer50";
    const QString configCopy = overlay + "/Config.ini";
    QVERIFY(QDir().mkpath(overlay + "/Graphics/Skin"));
    QImage ownBody(20, 30, QImage::Format_RGB32);
    ownBody.fill(Qt::darkCyan);
    QVERIFY(ownBody.save(overlay + "/Graphics/Skin/Body.bmp"));
    QFile ownNotes(overlay + "/Whatsnew.txt");
    QVERIFY(ownNotes.open(QIODevice::WriteOnly) && ownNotes.write("my notes\n") == 9);
    ownNotes.close();
    QStringList overlayAfter = entriesUnder(overlay) << "Config.ini"
                                                     << "Config.ini.shipped.sha256";
    overlayAfter.sort();
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(folder));
    {
        MessageBoxCatcher boxes;
        OpenRecorder opener;
        Program program(folder);
        program.show();
        TForm1 &form = program.mainWindow();
        GameRules &rules = partsOf(program.session()).rules();

        // First start: the splash screen asks for a sound output; Play with the first one.
        QVERIFY(program.splash().isVisible());
        control<QComboBox>(program.splash(), "cb_sound").setCurrentIndex(0);
        program.splash().cb_soundChange();
        sendClick(&control<SkinImage>(program.splash(), "btn_play"), Qt::LeftButton);
        QVERIFY(!program.splash().isVisible());
        QVERIFY(form.fullscreenMode());
        QCOMPARE(rules.state().Power_On, 0);
        QCOMPARE(form.skin().background()->picture().size(), ownBody.size());

        // A game played out, ticks and all, with the real clock running for part of it.
        sendKey(&form, QEvent::KeyPress, Qt::Key_1);
        QCOMPARE(rules.state().Power_On, 1);
        QTest::qWait(300);
        const Qt::Key moves[] = {Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down, Qt::Key_Right};
        for (int i = 0;
             i < 20000 && (rules.state().Gam_Running || partsOf(program.session()).repriseTimer().isActive() ||
                           partsOf(program.session()).gameOverTimer().isActive());
             ++i) {
            if (rules.state().Gam_Running && i % 7 == 0) {
                sendKey(&form, QEvent::KeyPress, moves[i % 5]);
                sendKey(&form, QEvent::KeyRelease, moves[i % 5]);
            }
            if (rules.state().Gam_Running && i % 11 == 0) {
                sendKey(&form, QEvent::KeyPress, Qt::Key_Control);
                sendKey(&form, QEvent::KeyRelease, Qt::Key_Control);
            }
            if (partsOf(program.session()).gameTimer().isActive())
                rules.Timer_GameTimer();
            else if (partsOf(program.session()).repriseTimer().isActive())
                rules.Timer_RepriseTimer();
            else if (partsOf(program.session()).gameOverTimer().isActive())
                rules.Timer_Game_OverTimer();
        }
        QVERIFY(!rules.state().Gam_Running);
        QVERIFY(!partsOf(program.session()).gameOverTimer().isActive());

        // Every menu command but Exit, from the popup menu and from the game menu.
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5), form.mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(form.skin().background(), &menuEvent);
        QVERIFY(control<QMenu>(form, "pm_0_menu").isVisible());
        control<QMenu>(form, "pm_0_menu").hide();
        control<QAction>(form, "pm_1_about").trigger();
        QVERIFY(program.about().isVisible());
        sendKey(&program.about(), QEvent::KeyPress, Qt::Key_Escape);
        control<QAction>(form, "pm_2_readme").trigger();
        control<QAction>(form, "pm_3_whatsnew").trigger();
        control<QAction>(form, "pm_6_config").trigger();
        QCOMPARE(opener.opened,
                 (QList<QUrl>{QUrl::fromLocalFile(folder + "/Readme.txt"),
                              QUrl::fromLocalFile(overlay + "/Whatsnew.txt"), QUrl::fromLocalFile(configCopy)}));
        {
            // The copy is the shipped text, the user's to write; changed, it is handed over as it stands.
            const QByteArray shipped = contentOf(folder + "/Config.ini");
            QCOMPARE(contentOf(configCopy), shipped);
            QFile copy(configCopy);
            QVERIFY(copy.open(QIODevice::WriteOnly | QIODevice::Truncate));
            copy.write(QByteArray(shipped).replace("TranspColor=$00FF00FF", "TranspColor=$00123456"));
            copy.close();
            control<QAction>(form, "pm_6_config").trigger();
            QCOMPARE(opener.opened.last(), QUrl::fromLocalFile(configCopy));
            QVERIFY(contentOf(configCopy).contains("$00123456"));
        }
        control<QAction>(form, "pm_4_manual").trigger();
        QVERIFY(program.manual().isVisible());
        for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Left, Qt::Key_Escape}) {
            sendKey(&program.manual(), QEvent::KeyPress, key);
            sendKey(&program.manual(), QEvent::KeyRelease, key);
        }
        QVERIFY(!program.manual().isVisible());
        QCOMPARE(program.manual().pageIndex(), 2);
        sendClick(form.skin().gameMenuButton(), Qt::LeftButton);
        QVERIFY(form.gameMenuOpen());
        sendMouse(&control<GameMenuRow>(form, "la_menu_item_1"), QEvent::MouseButtonRelease, Qt::LeftButton,
                  QPoint(20, 10));
        QVERIFY(program.about().isVisible());
        program.about().close();
        control<QAction>(form, "pm_11_splashscreen").trigger();
        control<QAction>(form, "pm_10_fullscreen").trigger();
        QVERIFY(!form.fullscreenMode());
        QCOMPARE(form.colourKey(), QColor(0x56, 0x34, 0x12));
        form.grab();
        control<QAction>(form, "pm_10_fullscreen").trigger();
        QVERIFY(form.fullscreenMode());
        form.grab();

        // A new fire key, accepted in the key dialog.
        control<QAction>(form, "pm_7_keys").trigger();
        QVERIFY(program.keys().isVisible());
        QVERIFY(!form.isEnabled());
        control<QComboBox>(program.keys(), "cb_6").setCurrentIndex(43);  // the space bar
        sendClick(&control<QPushButton>(program.keys(), "btn_accept"), Qt::LeftButton);
        QVERIFY(!program.keys().isVisible());
        QVERIFY(form.isEnabled());
        sendKey(&form, QEvent::KeyPress, Qt::Key_1);
        QCOMPARE(rules.state().Power_On, 0);
        sendKey(&form, QEvent::KeyPress, Qt::Key_1);
        sendKey(&form, QEvent::KeyPress, Qt::Key_Space);
        QCOMPARE(rules.state().Gam_Shots_Left, 29);
        QTest::qWait(200);

        form.close();
        QCOMPARE(messageTexts(boxes), QStringList());
    }
    QDir::setCurrent(previous);

    const QStringList after = fingerprint(folder);
    QStringList changed;
    for (const QString &line : after)
        if (!before.contains(line)) changed << "now:  " + line;
    for (const QString &line : before)
        if (!after.contains(line)) changed << "was:  " + line;
    QVERIFY2(changed.isEmpty(), qPrintable(changed.join(u'\n')));
    // Nothing else is copied into the overlay, nor made there.
    QCOMPARE(entriesUnder(overlay), overlayAfter);

    // The settings file is the one thing written, with what the session chose.
    QCOMPARE(entriesUnder(configHome), (QStringList{"Brevant", "Brevant/Fathomer50.conf"}));
    const QMap<QString, QString> stored = storedTexts();
    const QMap<QString, QString> expected{{"FullscreenMode", "1"}, {"SoundMode", "0"}, {"SplashScreen", "0"},
                                          {"Key1", "2"},           {"Key2", "37"},     {"Key3", "39"},
                                          {"Key4", "40"},          {"Key5", "38"},     {"Key6", "44"}};
    QCOMPARE(stored, expected);

    setWritable(folder, true);
}

// Release after release on a folder the user may write: the copy made by "Edit configuration file"
// follows the shipped Config.ini while the user leaves it alone, and once changed keeps every byte,
// the user told once of each release whose Config.ini differs from the one it came from.
void ReadOnlySessionTest::configCopyFollowsReleasesUntilChanged() {
    QTemporaryDir scratch, dataHome;
    const QByteArray previousDataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());
    const QString shipped = scratch.filePath("Config.ini");
    const QString copy = dataHome.path() + "/Brevant/Fathomer50/Config.ini";
    const auto release = [&](const QByteArray &text) {
        QFile file(shipped);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size());
    };
    release("[Skin]\nRelease=1\n");
    QCOMPARE(configurationPathToEdit(scratch.path()), copy);
    QCOMPARE(contentOf(copy), QByteArray("[Skin]\nRelease=1\n"));
    QCOMPARE(contentOf(shipped), QByteArray("[Skin]\nRelease=1\n"));

    // Opened and never changed: the next release is read, and is what the next edit starts from.
    release("[Skin]\nRelease=2\n");
    QCOMPARE(configurationPath(scratch.path()), shipped);
    QCOMPARE(takeConfigurationCopyNotice(scratch.path()), QString());
    QCOMPARE(configurationPathToEdit(scratch.path()), copy);
    QCOMPARE(contentOf(copy), QByteArray("[Skin]\nRelease=2\n"));

    // Changed: read and handed over as it stands through later releases, each told of once.
    QFile own(copy);
    QVERIFY(own.open(QIODevice::WriteOnly | QIODevice::Truncate) && own.write("[Skin]\nMine=1\n") == 14);
    own.close();
    for (const QByteArray &next : {QByteArray("[Skin]\nRelease=3\n"), QByteArray("[Skin]\nRelease=4\n")}) {
        release(next);
        QCOMPARE(configurationPath(scratch.path()), copy);
        const QString notice = takeConfigurationCopyNotice(scratch.path());
        QVERIFY2(notice.contains(copy) && notice.contains(shipped), qPrintable(notice));
        QCOMPARE(takeConfigurationCopyNotice(scratch.path()), QString());
        QCOMPARE(configurationPathToEdit(scratch.path()), copy);
        QCOMPARE(contentOf(copy), QByteArray("[Skin]\nMine=1\n"));
    }
    qputenv("XDG_DATA_HOME", previousDataHome);
}

FATHOMER_APP_TEST_MAIN(ReadOnlySessionTest)
#include "tst_read_only_session.moc"
