// Replays a corpus of bad files on the whole program: broken, empty, header-only, oversized and
// mislabelled pictures as skin pictures, backdrop, logo and manual page; damaged Config.ini files;
// damaged settings files; pipes, devices and oversized files in place of Config.ini, pictures and
// sounds. Each must end in the program's message, the red placeholder or the default, with the
// program still usable and no stored setting changed.

#include "release_fixture.h"

#include "../support/game_fakes.h"

#include "platform/picture_file.h"

#include <QtEndian>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <sched.h>
#include <sys/mount.h>
#include <sys/sysmacros.h>
#endif

using namespace fathomer;
using namespace fathomer::testing;

namespace {

const QString kCorpus = QStringLiteral(FATHOMER_BADFILES_DIR);

QByteArray corpus(const QString &name) {
    QFile file(kCorpus + u'/' + name);
    if (!file.open(QIODevice::ReadOnly)) qFatal("missing corpus file %s", qPrintable(name));
    return file.readAll();
}

quint32 crc32(const QByteArray &data) {
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : data) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray pngChunk(const char *type, const QByteArray &data) {
    QByteArray body = QByteArray(type, 4) + data;
    QByteArray chunk(4, '\0');
    qToBigEndian(quint32(data.size()), chunk.data());
    chunk += body;
    QByteArray crc(4, '\0');
    qToBigEndian(crc32(body), crc.data());
    return chunk + crc;
}

// A complete, valid PNG of 30000 x 30000 black pixels at one bit each: about 110 KB on disk, and
// far beyond what any picture of the device may take once decoded.
QByteArray hugePng() {
    constexpr int side = 30000;
    QByteArray header(13, '\0');
    qToBigEndian(quint32(side), header.data());
    qToBigEndian(quint32(side), header.data() + 4);
    header[8] = 1;  // bit depth; colour type 0 (grey), no interlace
    const QByteArray raw(qsizetype(side) * (1 + (side + 7) / 8), '\0');
    const QByteArray zlib = qCompress(raw, 9).mid(4);  // qCompress prefixes the length
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header) + pngChunk("IDAT", zlib) +
           pngChunk("IEND", {});
}

// A PNG of the given rows (each with its filter byte), and a tRNS chunk when one is given.
QByteArray rawPng(QSize size, int bitDepth, int colourType, const QByteArray &rows, const QByteArray &trns = {}) {
    QByteArray header(13, '\0');
    qToBigEndian(quint32(size.width()), header.data());
    qToBigEndian(quint32(size.height()), header.data() + 4);
    header[8] = char(bitDepth);
    header[9] = char(colourType);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header) +
           (trns.isEmpty() ? QByteArray() : pngChunk("tRNS", trns)) + pngChunk("IDAT", qCompress(rows, 9).mid(4)) +
           pngChunk("IEND", {});
}

// 1,000,000 x 67 black pixels at one bit each: about 10 KB on disk, 268 MB decoded.
QByteArray widePng() {
    const QSize size(1000000, 67);
    return rawPng(size, 1, 0, QByteArray(qsizetype(size.height()) * (1 + size.width() / 8), '\0'));
}

// Over 16 MB decoded, so that a box clips them. Grey: every value, with a transparency value
// beyond 8 bits, 300, whose low byte 44 makes pixels of 44 transparent. 16-bit colour: a
// checkerboard of the transparency colour and one that differs from it only in its low bits,
// which stays opaque.
const QSize kLargeSize(2400, 1800);
constexpr quint16 kKeyColour[] = {0x1234, 0x5678, 0x9ABC}, kNearKeyColour[] = {0x1299, 0x5678, 0x9ABC};

QByteArray largeTransparencyPng(bool sixteenBit) {
    QByteArray rows;
    for (int y = 0; y < kLargeSize.height(); ++y) {
        rows += '\0';
        for (int x = 0; x < kLargeSize.width(); ++x) {
            if (!sixteenBit) {
                rows += char((x + y) & 0xFF);
                continue;
            }
            for (const quint16 sample : (x + y) % 2 ? kNearKeyColour : kKeyColour)
                rows += char(sample >> 8), rows += char(sample & 0xFF);
        }
    }
    const QByteArray key = sixteenBit ? QByteArray("\x12\x34\x56\x78\x9A\xBC", 6) : QByteArray("\x01\x2C", 2);
    return rawPng(kLargeSize, sixteenBit ? 16 : 8, sixteenBit ? 2 : 0, rows, key);
}

// What the transparency rules give for those two pictures, as 32-bit ARGB.
QImage largeTransparencyPicture(bool sixteenBit) {
    QImage image(kLargeSize, QImage::Format_RGBA64);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const quint16 grey = quint16(((x + y) & 0xFF) * 257);
            const quint16 *c = (x + y) % 2 ? kNearKeyColour : kKeyColour;
            image.setPixelColor(x, y,
                                sixteenBit ? QColor::fromRgba64(c[0], c[1], c[2], (x + y) % 2 ? 0xFFFF : 0)
                                           : QColor::fromRgba64(grey, grey, grey, grey == 44 * 257 ? 0 : 0xFFFF));
        }
    return image.convertToFormat(QImage::Format_ARGB32);
}

QByteArray encoded(QColor colour, QSize size, const char *format) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

const QByteArray kGoodSettings = "[General]\nFullscreenMode=0\nKey1=2\nKey2=37\nKey3=39\nKey4=40\nKey5=38\nKey6=42\n"
                                 "SoundMode=2\nSplashScreen=0\n";

// A whole program, started the way main() starts it, in a scratch folder.
struct Run {
    void start() {
        before = storedValues();
        terminations = terminateRequestCount();
        program = std::make_unique<Program>(folder.path());
        program->show();
    }
    TForm1 &form() { return program->mainWindow(); }
    QStringList messages() const { return messageTexts(boxes); }

    // The device still works: switched on, moved, fired, ticked, and every window drawn.
    void playAndDraw() {
        GameRules &rules = partsOf(program->session()).rules();
        rules.Gam_Power_Off();
        partsOf(program->session()).controls().Inp_power_down();
        QCOMPARE(rules.state().Power_On, 1);
        partsOf(program->session()).controls().Inp_left_down();
        partsOf(program->session()).controls().Inp_left_up();
        for (int i = 0; i < 12 && GameRulesTestSeam::Timer_Game(rules).enabled(); ++i) rules.Timer_GameTimer();
        if (rules.state().Gam_Running) partsOf(program->session()).controls().Inp_fire_down();
        form().grab();
        program->manual().showManual();
        for (int page = 1; page <= kManualPageCount; ++page) {
            program->manual().grab();
            program->manual().Inp_right_down();
            if (program->manual().pageIndex() < kManualPageCount) program->manual().Inp_right_up();
        }
        program->manual().hide();
        partsOf(program->session()).controls().Inp_power_down();
        QCOMPARE(rules.state().Power_On, 0);
    }

    // Nothing stored changed except the values named, which the program writes at start.
    void verifyStore(const QVariantMap &writtenAtStart = {}) {
        QMap<QString, QVariant> expected = before;
        for (auto it = writtenAtStart.begin(); it != writtenAtStart.end(); ++it) expected.insert(it.key(), it.value());
        const QMap<QString, QVariant> after = storedValues();
        for (auto it = expected.begin(); it != expected.end(); ++it)
            QVERIFY2(after.value(it.key()) == it.value(),
                     qPrintable(it.key() + u'=' + after.value(it.key()).toString() + QStringLiteral(" expected ") +
                                it.value().toString()));
        QCOMPARE(after.keys(), expected.keys());
    }

    ScratchFolder folder;
    MessageBoxCatcher boxes;
    OpenRecorder opener;
    std::unique_ptr<Program> program;
    QMap<QString, QVariant> before;
    int terminations = 0;
};

enum class Target { Skin, Backdrop, Logo, ManualPage };
enum class Outcome { Loaded, Placeholder, Unchanged, DecoderMessage, ExtensionMessage, TooLargeMessage };

struct PictureFile {
    const char *name;
    bool ownDecoderReads;  // with the decoder its extension names
    bool bmpDecoderReads;  // as a manual page, always read as BMP
};

const PictureFile kPictures[] = {
    {"truncated.png", false, false},
    {"empty.png", false, false},
    {"header_only.png", false, false},
    {"bad_crc.png", false, false},
    {"zero_size.png", false, false},
    {"truncated.jpg", false, false},
    {"empty.jpg", false, false},
    {"header_only.jpg", false, false},
    {"truncated.bmp", true, true},
    {"empty.bmp", false, false},
    {"header_only.bmp", false, false},
    {"huge_header.bmp", false, false},
    {"huge_header.jpg", false, false},
    {"huge.png", false, false},
    {"jpeg_inside.png", false, false},
    {"png_inside.jpg", false, false},
    {"png_inside.bmp", false, false},
    {"gif_inside.bmp", false, false},
    {"gif_picture.gif", false, false},
    {"folder.png", false, false},
    {"large.png", true, false},
    {"large_grey.png", true, false},
    // Chunks that claim more than the file holds, after the image data and before it.
    {"text_bomb_after_data.png", false, false},
    {"text_bomb_before_data.png", false, false},
    {"wide.png", false, false},
    {"large_grey_trns.png", true, false},
    {"large_16bit_trns.png", true, false},
};

Outcome expectedOutcome(const PictureFile &file, Target target) {
    const bool directory = QByteArray(file.name) == "folder.png";
    if (target == Target::ManualPage) {
        if (directory) return Outcome::Placeholder;
        return file.bmpDecoderReads ? Outcome::Loaded : Outcome::Placeholder;
    }
    if (directory) return target == Target::Skin ? Outcome::Placeholder : Outcome::Unchanged;
    if (QFileInfo(QString::fromLatin1(file.name)).suffix() == u"gif") return Outcome::ExtensionMessage;
    // Far too large to decode whole, but a box shows only a part that is quick to decode.
    const QByteArray name(file.name);
    if (name == "huge.png" || name == "wide.png" || name == "huge_header.jpg")
        return target == Target::Skin ? Outcome::Loaded : Outcome::TooLargeMessage;
    return file.ownDecoderReads ? Outcome::Loaded : Outcome::DecoderMessage;
}

// Over 16 MB decoded, so that as a skin picture only the part its box shows is decoded: every
// pixel there must be what a whole decode gives, colour, transparency and grey alike.
QImage largePicture(bool grey) {
    QImage image(2400, 1800, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = qRgba(x * 7, y * 3, (x ^ y) & 0xFF, (x + y) % 5 ? 255 : x % 256);
    }
    return grey ? image.convertToFormat(QImage::Format_Grayscale8) : image;
}

QByteArray pngBytes(const QImage &image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG", 100);  // fastest compression: the test is not about size
    return bytes;
}

QByteArray pictureBytes(const QString &name) {
    if (name == u"huge.png") return hugePng();
    if (name == u"wide.png") return widePng();
    static QHash<QString, QByteArray> made;  // slow to make, so made once
    if (name.startsWith(u"large") && !made.contains(name))
        made.insert(name, name.endsWith(u"trns.png") ? largeTransparencyPng(name.contains(u"16bit"))
                                                     : pngBytes(largePicture(name.contains(u"grey"))));
    if (name.startsWith(u"large")) return made.value(name);
    return corpus(name);
}

// A small skin around the file under test; Image2 comes after Image1 and the backdrop, so it
// shows whether the loading went on past them.
QByteArray skinFor(Target target, const QString &name) {
    const QString skin = target == Target::Skin ? name : QString();
    const QString backdrop = target == Target::Backdrop ? name : QStringLiteral("nil");
    const QString logo = target == Target::Logo ? name : QStringLiteral("nil");
    return QStringLiteral("[Common]\nGameWidth=435\nGameHeight=760\n[VideoMode]\nTranspColor=$00FF00FF\n"
                          "[Fullscreen]\nBackdropFile=%2\nLogoFile=%3\n[Manual]\nManualDir=Graphics\\Manual\\\n"
                          "[Image1]\nFilename=%1\nWidth=435\nHeight=760\n"
                          "[Image2]\nFilename=face.png\nWidth=435\nHeight=760\n")
        .arg(skin, backdrop, logo)
        .toUtf8();
}

// What lies at the settings file's place: the bytes as a file, or something that is no file.
enum class SettingsEntry { File, Fifo, LinkToDevice, LinkToFile };

#ifdef Q_OS_UNIX
// A character device of the test's own (a null device where it may make one), so that no
// fault can ever replace a device node of the system; otherwise the system's null device,
// which a user without privileges cannot replace.
QString deviceNode(const QString &folder) {
#ifdef Q_OS_LINUX
    const QString node = folder + QStringLiteral("/null-device");
    QFile::remove(node);
    if (::mknod(QFile::encodeName(node).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0) return node;
#else
    Q_UNUSED(folder);
#endif
    return QStringLiteral("/dev/null");
}

bool isCharacterDevice(const QString &path) {
    struct stat entry {};
    return ::stat(QFile::encodeName(path).constData(), &entry) == 0 && S_ISCHR(entry.st_mode);
}
#endif

QString linkedSettingsFile() { return QFileInfo(settingsFilePath()).path() + QStringLiteral("/linked.conf"); }

void placeSettings(SettingsEntry entry, const QByteArray &bytes) {
    const QString path = settingsFilePath();
    QDir().mkpath(QFileInfo(path).path());
    QFile::remove(path);
    switch (entry) {
    case SettingsEntry::File: writeSettingsFile(bytes); break;
#ifdef Q_OS_UNIX
    case SettingsEntry::Fifo: QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0); break;
    case SettingsEntry::LinkToDevice: QVERIFY(QFile::link(deviceNode(QFileInfo(path).path()), path)); break;
#else
    case SettingsEntry::Fifo:
    case SettingsEntry::LinkToDevice: QFAIL("no FIFOs or device nodes here");
#endif
    case SettingsEntry::LinkToFile: {
        QFile target(linkedSettingsFile());
        QVERIFY(target.open(QIODevice::WriteOnly | QIODevice::Truncate) && target.write(bytes) == bytes.size());
        target.close();
        QVERIFY(QFile::link(target.fileName(), path));
        break;
    }
    }
}

// The entry moved aside is kept as it was: the same bytes, the same FIFO, the same link.
void verifyBackup(SettingsEntry entry, const QByteArray &bytes) {
    const QFileInfo backup(settingsFilePath() + QStringLiteral(".unreadable"));
    switch (entry) {
    case SettingsEntry::File: {
        QFile file(backup.filePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytes);
        break;
    }
    case SettingsEntry::Fifo: QVERIFY(backup.exists() && !backup.isFile() && !backup.isSymLink()); break;
#ifdef Q_OS_UNIX
    case SettingsEntry::LinkToDevice:
        QVERIFY(backup.isSymLink());
        QVERIFY(isCharacterDevice(backup.symLinkTarget()));
        break;
#endif
    default: QFAIL("a regular file behind a link is used, not moved aside");
    }
    QVERIFY(QFileInfo(settingsFilePath()).isFile() && !QFileInfo(settingsFilePath()).isSymLink());
}

QString movedAsideNotice() {
    return QStringLiteral("The settings file \"%1\" is not in a form this program can read. It has been kept as "
                          "\"%1.unreadable\", and the settings start again from their defaults.")
        .arg(settingsFilePath());
}

// The settings written the way a user's earlier runs left them, with one value replaced.
QByteArray storedSettings(const QMap<QByteArray, QByteArray> &changes) {
    QMap<QByteArray, QByteArray> values{{"FullscreenMode", "0"}, {"SoundMode", "2"}, {"SplashScreen", "0"},
                                        {"Key1", "2"},           {"Key2", "37"},     {"Key3", "39"},
                                        {"Key4", "40"},          {"Key5", "38"},     {"Key6", "42"}};
    values.insert(changes);
    QByteArray text = "[General]\n";
    for (auto it = values.begin(); it != values.end(); ++it) text += it.key() + '=' + it.value() + '\n';
    return text;
}

// Plays past a splash that is showing, with the keyboard: the last entry chosen, then Enter.
void playPastTheSplash(Program &program) {
    TSplashForm &splash = program.splash();
    if (!splash.isVisible()) return;
    control<QComboBox>(splash, "cb_sound").setCurrentIndex(2);
    splash.cb_soundChange();
    QTest::keyClick(&splash, Qt::Key_Return);
}

// A folder made read-only for this process alone, as a read-only or full file system refuses
// writes even to root. The process has a mount namespace of its own (see initTestCase).
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString &path) : path(QFile::encodeName(path)) {
#ifdef Q_OS_LINUX
        made = mount(this->path.constData(), this->path.constData(), nullptr, MS_BIND, nullptr) == 0 &&
               mount(nullptr, this->path.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
#endif
    }
    ~ReadOnlyFolder() {
#ifdef Q_OS_LINUX
        umount(path.constData());
#endif
    }
    bool made = false;

private:
    QByteArray path;
};

}  // namespace

class BadFilesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void unreadableValuesAreToldOnce_data();
    void unreadableValuesAreToldOnce();
    void refusedWritesAreToldOnce_data();
    void refusedWritesAreToldOnce();
    void pictures_data();
    void pictures();
    void configurationFiles_data();
    void configurationFiles();
    void settingsFiles_data();
    void settingsFiles();
    void specialFiles_data();
    void specialFiles();

private:
    bool privateMounts = false;
};

void BadFilesTest::initTestCase() {
#ifdef Q_OS_LINUX
    // Root may make folders read-only for this process alone.
    privateMounts =
        geteuid() == 0 && unshare(CLONE_NEWNS) == 0 && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
#endif
}

// Every stored value, in every form the program never writes, at every moment that reads it: one
// box with the exact text, the default taken, and a program that plays.
void BadFilesTest::unreadableValuesAreToldOnce_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("form");
    QTest::addColumn<QString>("moment");
    const QList<QPair<const char *, QByteArray>> forms{{"int", "@Variant(\\0\\0\\0\\x2\\0\\0\\0\\0\\x1)"},
                                                       {"bytes", "@ByteArray(1)"},
                                                       {"rect", "@Rect(1 2 3 4)"},
                                                       {"size", "@Size(3 4)"},
                                                       {"double", "@Variant(\\0\\0\\0\\x6?\\xf0\\0\\0\\0\\0\\0\\0)"},
                                                       {"bool", "@Variant(\\0\\0\\0\\x1\\x1)"}};
    const QList<QByteArray> names{"FullscreenMode", "SoundMode", "SplashScreen", "Key1", "Key2",
                                  "Key3",           "Key4",      "Key5",         "Key6"};
    for (const auto &[formName, form] : forms)
        for (const QByteArray &name : names) {
            QStringList moments{QStringLiteral("start with the splash")};
            // Either of these unreadable shows the splash: their defaults ask for it.
            if (name != "SoundMode" && name != "SplashScreen") moments << QStringLiteral("start skipped");
            if (name == "SplashScreen") moments << QStringLiteral("popup opening");
            for (const QString &moment : moments)
                QTest::addRow("%s %s, %s", name.constData(), formName, qPrintable(moment)) << name << form << moment;
        }
}

void BadFilesTest::unreadableValuesAreToldOnce() {
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, form);
    QFETCH(QString, moment);
    const auto forget = qScopeGuard([] { QFile::remove(settingsFilePath()); });  // later tests start afresh
    Run run;
    run.folder.writeText("Config.ini", kTinySkin);
    const bool atStart = moment != QStringLiteral("popup opening");
    QMap<QByteArray, QByteArray> changes{{"SplashScreen", moment == QStringLiteral("start skipped") ? "0" : "1"}};
    if (atStart) changes.insert(name, form);
    writeSettingsFile(storedSettings(changes));
    run.start();
    playPastTheSplash(*run.program);
    if (!atStart) {
        writeSettingsFile(storedSettings({{name, form}}));
        run.form().pm_0_menuPopup();
    }
    const QString told = QStringLiteral("Invalid data type for '%1'").arg(QString::fromLatin1(name));
    QCOMPARE(run.messages(), QStringList{told});
    QCOMPARE(terminateRequestCount(), run.terminations);
    QVERIFY(!run.program->splash().isVisible());
    if (name == "FullscreenMode") QVERIFY(run.form().fullscreenMode());  // its default
    QVERIFY(run.form().pos() != offScreen());
    run.playAndDraw();
    QCOMPARE(run.messages(), QStringList{told});
}

// A store that refuses writes (a read-only or full file system) at every place the program
// writes: one box naming the value, never an abort; Play goes on, a failed sound start still ends
// the program.
void BadFilesTest::refusedWritesAreToldOnce_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("value");
    for (const char *path : {"Play by mouse", "Play by Enter"}) QTest::newRow(path) << path << "SplashScreen";
    QTest::newRow("F12") << "F12"
                         << "FullscreenMode";
    QTest::newRow("splash menu item") << "splash menu item"
                                      << "SplashScreen";
    QTest::newRow("key dialog Accept") << "key dialog Accept"
                                       << "Key6";
    QTest::newRow("sound failure") << "sound failure"
                                   << "SoundMode";
}

void BadFilesTest::refusedWritesAreToldOnce() {
    QFETCH(QString, path);
    QFETCH(QString, value);
    if (!privateMounts) QSKIP("needs root, to make a folder read-only for this process alone");
    const auto forget = qScopeGuard([] { QFile::remove(settingsFilePath()); });  // later tests start afresh
    Run run;
    run.folder.writeText("Config.ini", kTinySkin);
    const bool soundFails = path == QStringLiteral("sound failure");
    // With no "Sound" folder here, the second output fails to start.
    writeSettingsFile(
        storedSettings({{"SplashScreen", soundFails ? "0" : "1"}, {"SoundMode", soundFails ? "1" : "2"}}));
    ReadOnlyFolder readOnly(QFileInfo(settingsFilePath()).path());
    QVERIFY(readOnly.made);
    run.start();
    TSplashForm &splash = run.program->splash();
    if (path.startsWith(QStringLiteral("Play"))) {
        control<QCheckBox>(splash, "chb_splashscreen").setChecked(false);
        if (path.endsWith(QStringLiteral("mouse")))
            QTest::mouseClick(&control<SkinImage>(splash, "btn_play"), Qt::LeftButton, {}, QPoint(10, 10));
        else
            QTest::keyClick(&splash, Qt::Key_Return);
    } else if (!soundFails) {
        QTest::keyClick(&splash, Qt::Key_Return);  // the same choices: nothing to write
        QCOMPARE(run.messages(), QStringList());
    }
    if (path == QStringLiteral("F12")) control<QAction>(run.form(), "pm_10_fullscreen").trigger();
    if (path == QStringLiteral("splash menu item")) control<QAction>(run.form(), "pm_11_splashscreen").trigger();
    if (path == QStringLiteral("key dialog Accept")) {
        TKeysForm &keys = run.program->keys();
        keys.showCentred();
        control<QComboBox>(keys, "cb_6").setCurrentIndex(43);  // Fire: the space bar
        QTest::mouseClick(&control<QPushButton>(keys, "btn_accept"), Qt::LeftButton);
    }
    QStringList expected{QStringLiteral("Failed to set data for '%1'").arg(value)};
    if (soundFails) expected.prepend(QStringLiteral("Sound folder unproperly installed. Please reinstall the game."));
    QCOMPARE(run.messages(), expected);
    QCOMPARE(terminateRequestCount(), run.terminations + (soundFails ? 1 : 0));
    // The end asked for, dropped: carried out, it would end every later box's loop at once.
    QCoreApplication::removePostedEvents(QCoreApplication::instance(), QEvent::MetaCall);
    if (soundFails) return;
    QVERIFY(!splash.isVisible());
    QVERIFY(!run.form().fullscreenMode());  // a refused toggle changes nothing
    run.playAndDraw();
    QCOMPARE(run.messages(), expected);
}

void BadFilesTest::pictures_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("outcome");
    const std::pair<Target, const char *> targets[] = {{Target::Skin, "skin"},
                                                       {Target::Backdrop, "backdrop"},
                                                       {Target::Logo, "logo"},
                                                       {Target::ManualPage, "manual page"}};
    for (const PictureFile &file : kPictures)
        for (const auto &[target, label] : targets)
            QTest::addRow("%s as %s", file.name, label)
                << QString::fromLatin1(file.name) << int(target) << int(expectedOutcome(file, target));
}

void BadFilesTest::pictures() {
    QFETCH(QString, file);
    QFETCH(int, target);
    QFETCH(int, outcome);
    const auto where = Target(target);
    const auto expected = Outcome(outcome);
    Run run;
    run.folder.writeText("Config.ini", skinFor(where, file));
    run.folder.writeText("Graphics/Skin/face.png", encoded(Qt::darkGreen, {20, 20}, "PNG"));
    for (int page = 1; page <= kManualPageCount; ++page)
        run.folder.writeText(QStringLiteral("Graphics/Manual/%1.bmp").arg(page), encoded(Qt::white, {30, 40}, "BMP"));
    const QString folder =
        QStringList{"Graphics/Skin/", "Graphics/Backdrop/", "Graphics/Backdrop/", "Graphics/Manual/"}[target];
    const QString placed = folder + (where == Target::ManualPage ? QStringLiteral("1.bmp") : file);
    QFile::remove(run.folder.file(placed));
    if (file == u"folder.png")
        QVERIFY(QDir(run.folder.path()).mkpath(placed));
    else
        run.folder.writeText(placed, pictureBytes(file));
    writeSettingsFile(where == Target::Backdrop || where == Target::Logo
                          ? QByteArray(kGoodSettings).replace("FullscreenMode=0", "FullscreenMode=1")
                          : kGoodSettings);

    run.start();

    SkinImage *image = QList<SkinImage *>{run.form().skin().background(), run.form().skin().backdrop(),
                                          run.form().skin().backdropLogo(),
                                          &control<SkinImage>(run.program->manual(), "im_page_01")}[target];
    const QString fileName = QFileInfo(placed).fileName();
    switch (expected) {
    case Outcome::Loaded:
        QCOMPARE(run.messages(), QStringList());
        QVERIFY(image->hasPicture());
        QVERIFY(image->picture() != missingPicturePlaceholder());
        if (file.startsWith(u"large")) {
            // Clipped or whole, the pixels the PNG rules give (which the toolkit's own decoder
            // does not give for those transparency colours).
            // Compared as drawn: premultiplied, so a transparent pixel is one whatever colour it keeps.
            const auto drawn = QImage::Format_ARGB32_Premultiplied;
            const QImage whole = (file.endsWith(u"trns.png") ? largeTransparencyPicture(file.contains(u"16bit"))
                                                             : QImage::fromData(pictureBytes(file), "PNG"))
                                     .convertToFormat(drawn);
            const QImage shown = image->picture().convertToFormat(drawn);
            QCOMPARE(shown, where == Target::Skin ? whole.copy(0, 0, 435, 760) : whole);
        }
        if (file == u"wide.png") QCOMPARE(image->picture().size(), QSize(435, 67));
        break;
    case Outcome::Placeholder:
        QCOMPARE(run.messages(), QStringList());
        QCOMPARE(image->picture(), missingPicturePlaceholder());
        break;
    case Outcome::Unchanged:
        QCOMPARE(run.messages(), QStringList());
        QVERIFY(!image->hasPicture());
        break;
    case Outcome::DecoderMessage:
        QCOMPARE(run.messages().size(), 1);
        QVERIFY2(run.messages().first().startsWith(fileName + QStringLiteral(": ")) &&
                     run.messages().first().size() > fileName.size() + 2,
                 qPrintable(run.messages().first()));
        break;
    case Outcome::ExtensionMessage:
        QCOMPARE(run.messages(), QStringList{QStringLiteral("Unknown picture file extension (.gif)")});
        break;
    case Outcome::TooLargeMessage:
        // Not the decoder's "Unable to read image data": the reason, and the file it concerns.
        QCOMPARE(run.messages().size(), 1);
        QVERIFY2(run.messages().first().startsWith(fileName + QStringLiteral(": the picture is too large")),
                 qPrintable(run.messages().first()));
        break;
    }
    const bool stopped = expected == Outcome::DecoderMessage || expected == Outcome::ExtensionMessage ||
                         expected == Outcome::TooLargeMessage;
    if (stopped) QVERIFY(!image->hasPicture());
    // A picture error stops the skin loading where it happened; anything else lets it finish.
    if (where != Target::ManualPage) QCOMPARE(run.form().skin().overlay()->hasPicture(), !stopped);
    QCOMPARE(terminateRequestCount(), run.terminations);
    run.verifyStore();
    run.playAndDraw();
    run.verifyStore();

    // As the picture for a denser screen beside a good one: the good one whenever it cannot be used.
    const QString suffix = QFileInfo(file).suffix();
    if (where == Target::Skin && expected != Outcome::ExtensionMessage && file != u"folder.png") {
        const QByteArray format = suffix == u"jpg" ? "JPEG" : suffix.toUpper().toLatin1();
        run.folder.writeText(QStringLiteral("Graphics/Skin/plain.") + suffix,
                             encoded(Qt::blue, {10, 10}, format.constData()));
        run.folder.writeText(QStringLiteral("Graphics/Skin/plain@2x.") + suffix, pictureBytes(file));
        const LoadedPicture picture =
            loadScreenPicture(run.folder.file(QStringLiteral("Graphics/Skin/plain.") + suffix), {435, 760}, true);
        QCOMPARE(picture.image.devicePixelRatio(), expected == Outcome::Loaded ? 2.0 : 1.0);
    }
}

void BadFilesTest::configurationFiles_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<bool>("fullscreen");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QSize>("clientSize");    // invalid: anything the window system accepts
    QTest::addColumn<QColor>("colour");       // invalid: not checked
    QTest::addColumn<int>("toggleMessages");  // messages of each fullscreen toggle

    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    const QColor magenta(255, 0, 255), green(0, 255, 0), blue(0, 0, 255), black(0, 0, 0), white(255, 255, 255);
    const QByteArray junk = corpus("config_binary_junk.ini");
    const QByteArray megabyte(1 << 20, '7');
    const QByteArray longLines =
        "[Common]\nGameWidth=" + megabyte + "\nGameHeight=500\n[Image1]\nFilename=" + QByteArray(1 << 20, 'a') +
        ".png\nWidth=10\nHeight=10\n[" + QByteArray(1 << 20, 'x') + "\n[VideoMode]\nTranspColor=$0000FF00\n";
    const QStringList none;
    const QString commonText = QStringLiteral("[Common]\r\nGameWidth=300\r\nGameHeight=500\r\n");
    const QByteArray utf16 = QByteArray("\xFF\xFE", 2) +
                             QByteArray(reinterpret_cast<const char *>(commonText.utf16()), commonText.size() * 2);
    const QStringList wideColour{QStringLiteral("'$FFFFFFFFFF' is not a valid integer value")};

    QTest::newRow("binary junk, windowed") << junk << false << none << QSize(435, 760) << magenta << 0;
    QTest::newRow("binary junk, fullscreen") << junk << true << none << screen << black << 0;
    QTest::newRow("binary junk, then a good section") << junk + "\n[Common]\nGameWidth=300\nGameHeight=500\n"
                                                      << false << none << QSize(300, 500) << magenta << 0;
    QTest::newRow("1 MB lines") << longLines << false << none << QSize(435, 500) << green << 0;
    QTest::newRow("missing ], windowed") << corpus("config_missing_bracket.ini") << false << none << QSize(300, 760)
                                         << green << 0;
    QTest::newRow("missing ], fullscreen")
        << corpus("config_missing_bracket.ini") << true << none << screen << blue << 0;
    QTest::newRow("absurd numbers, windowed")
        << corpus("config_absurd_numbers.ini") << false << none << QSize() << magenta << 0;
    QTest::newRow("absurd numbers, fullscreen")
        << corpus("config_absurd_numbers.ini") << true << none << screen << black << 0;
    QTest::newRow("colour beyond 32 bits, windowed")
        << corpus("config_wide_colour.ini") << false << wideColour << QSize() << QColor() << 1;
    QTest::newRow("colour beyond 32 bits, fullscreen")
        << corpus("config_wide_colour.ini") << true << wideColour << QSize() << QColor() << 1;
    QTest::newRow("colour of 32 bits all set")
        << QByteArray("[VideoMode]\nTranspColor=$FFFFFFFF\n") << false << none << QSize(435, 760) << white << 0;
    // A skin with no picture at all leaves nothing of the window to see.
    QTest::newRow("only [Common]") << QByteArray("[Common]\nGameWidth=300\nGameHeight=500\n") << false << none
                                   << QSize(300, 500) << magenta << 0;
    QTest::newRow("UTF-16") << utf16 << false << none << QSize(435, 760) << magenta << 0;
    QTest::newRow("CR line ends only") << QByteArray(
                                              "[Common]\rGameWidth=300\rGameHeight=500\r[Image1]\rFilename=a.png\r")
                                       << false << none << QSize(435, 760) << magenta << 0;
    // A toggle that fails keeps the window in view, in the mode it was in.
    QTest::newRow("colour not a number, toggled from windowed")
        << QByteArray("[Fullscreen]\nBgColor=pink\n") << false << none << QSize(435, 760) << magenta << 1;
}

void BadFilesTest::configurationFiles() {
    QFETCH(QByteArray, ini);
    QFETCH(bool, fullscreen);
    QFETCH(QStringList, messages);
    QFETCH(QSize, clientSize);
    QFETCH(QColor, colour);
    QFETCH(int, toggleMessages);
    Run run;
    run.folder.writeText("Config.ini", ini);
    writeSettingsFile(
        QByteArray(kGoodSettings).replace("FullscreenMode=0", fullscreen ? "FullscreenMode=1" : "FullscreenMode=0"));

    run.start();

    TForm1 &form = run.form();
    QCOMPARE(run.messages(), messages);
    QCOMPARE(form.fullscreenMode(), fullscreen);
    if (clientSize.isValid()) QCOMPARE(form.size(), clientSize);
    QVERIFY(form.width() >= 1 && form.width() <= 8192 && form.height() >= 1 && form.height() <= 8192);
    if (colour.isValid()) {
        QCOMPARE(form.palette().color(QPalette::Window), colour);
        QCOMPARE(form.colourKey().has_value(), !fullscreen);
        if (!fullscreen) QCOMPARE(*form.colourKey(), colour);
    }
    for (int n = 1; n <= 52; ++n) {
        const QRect box = form.skin().image(n)->geometry();
        QVERIFY2(box.width() >= 0 && box.width() <= 16384 && box.height() >= 0 && box.height() <= 16384,
                 qPrintable(QStringLiteral("image %1").arg(n)));
        QVERIFY(qAbs(box.x()) <= 32767 && qAbs(box.y()) <= 32767);
    }
    if (QTest::currentDataTag() == QByteArray("1 MB lines"))
        QCOMPARE(form.skin().background()->picture(), missingPicturePlaceholder());
    if (QByteArray(QTest::currentDataTag()).startsWith("absurd numbers")) {
        QCOMPARE(form.skin().background()->height(), 0);  // a number beyond 32 bits reads as the default
        const QSize manual = run.program->manual().size();
        QVERIFY(manual.width() >= 1 && manual.width() <= 8192 && manual.height() >= 1 && manual.height() <= 8192);
    }
    QCOMPARE(terminateRequestCount(), run.terminations);
    run.verifyStore();

    const auto picturesShown = [&form] {
        for (int n = 1; n <= 52; ++n)
            if (form.skin().image(n)->hasPicture()) return true;
        // A load that stopped early never hid the game menu's strip.
        return form.skin().gameMenuBackground()->isVisible();
    };
    // A skin that stops loading early leaves its shape to the event loop's next turn.
    QCoreApplication::processEvents();
    if (!fullscreen && form.colourKey() && !picturesShown())
        QVERIFY2(!form.mask().isEmpty() && !form.mask().intersects(form.rect()),
                 "an empty skin must leave the window see-through");

    // Each fullscreen toggle reads the file afresh and meets the same faults again. A toggle that
    // fails leaves the window in view in the mode it was in, stored as it is in memory.
    for (int toggle = 1; toggle <= 2; ++toggle) {
        form.pm_10_fullscreenClick();
        QCOMPARE(run.messages().size(), messages.size() + toggle * toggleMessages);
        if (toggleMessages > 0) QCOMPARE(form.fullscreenMode(), fullscreen);
        QCOMPARE(storedValues().value(QStringLiteral("FullscreenMode")).toString(),
                 QString::number(int(form.fullscreenMode())));
        QCOMPARE(control<QAction>(form, "pm_10_fullscreen").isChecked(), form.fullscreenMode());
        QVERIFY(QGuiApplication::primaryScreen()->geometry().intersects(form.geometry()));
    }
    QCOMPARE(form.fullscreenMode(), fullscreen);
    run.playAndDraw();
}

void BadFilesTest::settingsFiles_data() {
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QVariantMap>("writtenAtStart");  // the bindings, written back by the creation
    QTest::addColumn<bool>("fullscreen");
    QTest::addColumn<bool>("splashShown");
    QTest::addColumn<int>("entry");
    QTest::addColumn<bool>("movedAside");

    const auto keys = [](const QStringList &choices) {
        QVariantMap map;
        for (int n = 1; n <= 6; ++n) map.insert(QStringLiteral("Key%1").arg(n), choices[n - 1]);
        return map;
    };
    const QVariantMap defaults = keys({"2", "37", "39", "40", "38", "42"});

    const auto file = int(SettingsEntry::File);
    const QStringList moved{movedAsideNotice()};
    QByteArray utf16(reinterpret_cast<const char *>(QString::fromLatin1(kGoodSettings).utf16()),
                     kGoodSettings.size() * 2);

    // A comma splits nothing: "1, 1" is one text, not a number, and reads as the default.
    QTest::newRow("lists") << corpus("settings_lists.conf") << QStringList() << defaults << true << true << file
                           << false;
    // Each value of a type the program never writes is told once and takes its default.
    QTest::newRow("other value types") << corpus("settings_other_types.conf")
                                       << QStringList{"Invalid data type for 'Key1'", "Invalid data type for 'Key2'"}
                                       << defaults << true << false << file << false;
    QTest::newRow("integer of a typed form")
        << QByteArray("[General]\nKey2=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n"
                      "SoundMode=2\nSplashScreen=0\n")
        << QStringList{"Invalid data type for 'Key2'"} << defaults << true << false << file << false;
    QTest::newRow("empty values") << corpus("settings_empty_values.conf") << QStringList() << defaults << true << true
                                  << file << false;
    QTest::newRow("huge numbers") << corpus("settings_huge_numbers.conf") << QStringList()
                                  << keys({"2", "37", "39", "40", "39", "44"}) << true << true << file << false;
    QTest::newRow("junk text and stray lines")
        << corpus("settings_junk_text.conf") << QStringList() << defaults << true << true << file << false;
    QTest::newRow("binary junk") << corpus("settings_junk.conf") << moved << defaults << true << true << file << true;
    QTest::newRow("UTF-16 text") << QByteArray("\xFF\xFE", 2) + utf16 << moved << defaults << true << true << file
                                 << true;
#ifdef Q_OS_UNIX
    QTest::newRow("FIFO") << QByteArray() << moved << defaults << true << true << int(SettingsEntry::Fifo) << true;
    QTest::newRow("link to a device") << QByteArray() << moved << defaults << true << true
                                      << int(SettingsEntry::LinkToDevice) << true;
#endif
    QTest::newRow("link to a settings file")
        << kGoodSettings << QStringList() << keys({"2", "37", "39", "40", "38", "42"}) << false << false
        << int(SettingsEntry::LinkToFile) << false;
}

void BadFilesTest::settingsFiles() {
    QFETCH(QByteArray, settings);
    QFETCH(QStringList, messages);
    QFETCH(QVariantMap, writtenAtStart);
    QFETCH(bool, fullscreen);
    QFETCH(bool, splashShown);
    QFETCH(int, entry);
    QFETCH(bool, movedAside);
    Run run;
    run.folder.writeText("Config.ini", kTinySkin);
    placeSettings(SettingsEntry(entry), settings);

    run.start();

    QCOMPARE(run.messages(), messages);
    QCOMPARE(run.form().fullscreenMode(), fullscreen);
    QCOMPARE(run.program->splash().isVisible(), splashShown);
    QCOMPARE(terminateRequestCount(), run.terminations);
    if (movedAside) {
        verifyBackup(SettingsEntry(entry), settings);
        run.before.clear();  // the store starts afresh beside the backup
    }
    if (SettingsEntry(entry) == SettingsEntry::LinkToFile) QVERIFY(QFileInfo(settingsFilePath()).isSymLink());
    run.verifyStore(writtenAtStart);
    if (!writtenAtStart.isEmpty()) {
        // The bindings were loaded: the stored power key works the device.
        sendKey(&run.form(), QEvent::KeyPress,
                qtKeyOfChoice(run.program->keyBindings().binding(DeviceControl::Power).choice));
        QCOMPARE(partsOf(run.program->session()).rules().state().Power_On, 1);
    }
    run.playAndDraw();
    run.verifyStore(writtenAtStart);
    QCOMPARE(run.messages().size(), messages.size());  // told once
    for (const QString &leftover : {settingsFilePath() + QStringLiteral(".unreadable"), linkedSettingsFile()})
        QFile::remove(leftover);
}

namespace {

enum class Special { Pipe, LinkToZero, Oversized };

// Puts a pipe, a link to the endless /dev/zero or a sparse file beyond the size any real file of
// its kind has in place of a file.
bool makeSpecial(const QString &path, Special kind, qint64 bound) {
    QFile::remove(path);
    switch (kind) {
    case Special::Pipe:
#ifdef Q_OS_UNIX
        return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
#else
        return false;
#endif
    case Special::LinkToZero: return QFile::link(QStringLiteral("/dev/zero"), path);
    case Special::Oversized: {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.resize(bound + 1);
    }
    }
    return false;
}

const QString kConfigRefused =
    QStringLiteral("Configuration file (Config.ini) cannot be read: %1. Please reinstall the game.");
const QString kSoundRefused = QStringLiteral("Sound folder unproperly installed. Please reinstall the game.");

}  // namespace

void BadFilesTest::specialFiles_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("terminated");

    constexpr qint64 picture = kMaxPictureFileBytes;
    const std::pair<Special, const char *> kinds[] = {
        {Special::Pipe, "a pipe"}, {Special::LinkToZero, "a link to /dev/zero"}, {Special::Oversized, "oversized"}};
    for (const auto &[kind, label] : kinds) {
        const bool big = kind == Special::Oversized;
        const QString configReason =
            big ? QStringLiteral("it is larger than 16 MB") : QStringLiteral("it is not a regular file");
        QTest::addRow("Config.ini, %s", label)
            << "Config.ini" << int(kind) << QStringList{kConfigRefused.arg(configReason)} << true;
        // A picture that is no regular file counts as missing; one too large to be real is refused.
        QTest::addRow("skin picture, %s", label)
            << "Graphics/Skin/face.png" << int(kind)
            << (big ? QStringList{QStringLiteral("face.png: cannot load the picture: it is larger than %1 MB")
                                      .arg(picture >> 20)}
                    : QStringList())
            << false;
        QTest::addRow("manual page, %s", label) << "Graphics/Manual/1.bmp" << int(kind) << QStringList() << false;
        QTest::addRow("Hit.wav, %s", label) << "Sound/Hit.wav" << int(kind) << QStringList() << false;
        QTest::addRow("GameOver.wav, %s", label)
            << "Sound/GameOver.wav" << int(kind) << QStringList{kSoundRefused} << true;
    }
}

void BadFilesTest::specialFiles() {
    QFETCH(QString, file);
    QFETCH(int, kind);
    QFETCH(QStringList, messages);
    QFETCH(bool, terminated);
#ifndef Q_OS_UNIX
    if (Special(kind) == Special::Pipe) QSKIP("pipes in the file system are a Unix matter");
#endif
    Run run;
    run.folder.writeText("Config.ini", skinFor(Target::Skin, QStringLiteral("face.png")));
    run.folder.writeText("Graphics/Skin/face.png", encoded(Qt::darkGreen, {20, 20}, "PNG"));
    for (int page = 1; page <= kManualPageCount; ++page)
        run.folder.writeText(QStringLiteral("Graphics/Manual/%1.bmp").arg(page), encoded(Qt::white, {30, 40}, "BMP"));
    QDir(run.folder.path()).mkpath(QStringLiteral("Sound"));
    for (const char *sound : {"GameOver.wav", "Hit.wav", "Missed.wav", "Sonar.wav"})
        QVERIFY(QFile::copy(QStringLiteral(FATHOMER_RUN_DIR "/Sound/") + QLatin1String(sound),
                            run.folder.file(QStringLiteral("Sound/") + QLatin1String(sound))));
    const bool sound = file.startsWith(u"Sound/");
    const qint64 bound = file == u"Config.ini" ? 16 << 20 : sound ? 16 << 20 : kMaxPictureFileBytes;
    QVERIFY(makeSpecial(run.folder.file(file), Special(kind), bound));
    writeSettingsFile(kGoodSettings);

    run.start();
    bool played = true;
    if (sound) played = partsOf(run.program->session()).sound().Snd_Init(SoundChoice::DirectSound);

    QCOMPARE(run.messages(), messages);
    QCOMPARE(terminateRequestCount() > run.terminations, terminated);
    // The request would end the next row's message loop instead of this program's.
    QCoreApplication::removePostedEvents(QCoreApplication::instance(), QEvent::MetaCall);
    QCOMPARE(played, !(sound && terminated));
    if (file == u"Sound/Hit.wav")
        QVERIFY(!partsOf(run.program->session()).sound().Snd_Hit() &&
                partsOf(run.program->session()).sound().Snd_Missed());
    if (file.startsWith(u"Graphics/Manual/"))
        QCOMPARE(control<SkinImage>(run.program->manual(), "im_page_01").picture(), missingPicturePlaceholder());
    if (file.startsWith(u"Graphics/Skin/") && messages.isEmpty())
        QCOMPARE(run.form().skin().background()->picture(), missingPicturePlaceholder());
    if (file == u"Config.ini") QCOMPARE(run.program->manual().size(), QSize(480, 660));  // the defaults, unread
    // The samples that did load go with the program; freed here so that the next row starts clean.
    partsOf(run.program->session()).sound().Snd_Close();
    if (sound && terminated) return;  // the settings now ask for the splash again, by design
    run.playAndDraw();
    run.verifyStore();
}

FATHOMER_APP_TEST_MAIN(BadFilesTest)
#include "tst_bad_files.moc"
