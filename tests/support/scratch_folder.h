#pragma once

// Scaffolding shared by the widget tests: a scratch program folder that is also the current
// directory, and a catcher that closes message boxes as they open.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

namespace fathomer::testing {

// Closes every message box as soon as it opens and remembers "title|text".
class MessageBoxCatcher : public QObject {
public:
    MessageBoxCatcher() {
        timer.setInterval(5);
        connect(&timer, &QTimer::timeout, this, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                seen << box->windowTitle() + u'|' + box->text();
                box->done(QMessageBox::Ok);
            }
        });
        timer.start();
    }
    QStringList seen;

private:
    QTimer timer;
};

// A program folder in a temporary directory, also made the current directory.
class ScratchFolder {
public:
    ScratchFolder() : previous(QDir::currentPath()) { QDir::setCurrent(dir.path()); }
    ~ScratchFolder() { QDir::setCurrent(previous); }
    QString path() const { return dir.path(); }
    QString file(const QString &name) const { return dir.filePath(name); }

    bool writeText(const QString &name, const QByteArray &bytes) const {
        QDir(dir.path()).mkpath(QFileInfo(file(name)).path());
        QFile out(file(name));
        return out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(bytes) == bytes.size();
    }
    bool writeBytes(const QString &name, const QByteArray &bytes) const { return writeText(name, bytes); }
    bool writePicture(const QString &name, QSize size, QColor colour, const char *format) const {
        QDir(dir.path()).mkpath(QFileInfo(file(name)).path());
        QImage image(size, QImage::Format_ARGB32);
        image.fill(colour);
        return image.save(file(name), format);
    }

private:
    QTemporaryDir dir;
    QString previous;
};

}  // namespace fathomer::testing
