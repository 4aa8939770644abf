#pragma once

// The one way tests reach a window's controls: by the object name each control carries (its
// field's name in the window), so that the windows keep their widgets to themselves.

#include <QAnyStringView>
#include <QList>
#include <QObject>
#include <QString>
#include <QTest>
#include <source_location>
#include <stdexcept>

namespace fathomer::testing {

// Thrown once the failure is recorded: the test must not go on with a control it does not have.
struct MissingControl : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The control named objectName among window's descendants, of type W. No such control, more than
// one, or one of another type fails the current test, naming the control and what was found.
template <class W>
W &control(QObject &window, QAnyStringView objectName, std::source_location where = std::source_location::current()) {
    const QString name = objectName.toString();
    const QList<QObject *> named = window.findChildren<QObject *>(name);
    QString problem;
    if (named.isEmpty()) {
        problem = QStringLiteral("has none");
    } else if (named.size() > 1) {
        problem = QStringLiteral("has %1").arg(named.size());
    } else if (auto *found = dynamic_cast<W *>(named.first())) {
        return *found;
    } else {
        problem = QStringLiteral("has one, a %1").arg(QString::fromLatin1(named.first()->metaObject()->className()));
    }
    const QString message =
        QStringLiteral("control \"%1\" wanted as a %2: %3 \"%4\" %5")
            .arg(name, QString::fromLatin1(W::staticMetaObject.className()),
                 QString::fromLatin1(window.metaObject()->className()), window.objectName(), problem);
    QTest::qFail(qPrintable(message), where.file_name(), int(where.line()));
    throw MissingControl(message.toStdString());
}

}  // namespace fathomer::testing
