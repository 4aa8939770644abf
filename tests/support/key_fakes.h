#pragma once

#include "keys/key_bindings.h"

#include <QMap>
#include <QString>
#include <QStringList>

// A settings store fake for loading key bindings, and the default bindings.

namespace fathomer::test {

// The settings store as Key_Load_Bindings sees it: values kept as text, read back as integers
// with the store's default rules.
class FakeKeyStore {
public:
    int ReadInteger(const QString &name, int defaultValue) const;
    void WriteInteger(const QString &name, int value);
    // Raises the store's "Failed to set data" error while refuseWrites is set.
    void WriteIntegers(const QList<std::pair<QString, int>> &values);

    bool refuseWrites = false;

    QMap<QString, QString> values;
    QStringList writes;  // "Key1=2", in order
};

// The default bindings, names filled, as after a first start.
KeyBindings defaultBindings();

}  // namespace fathomer::test
