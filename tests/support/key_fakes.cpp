#include "key_fakes.h"

#include "platform/app_error.h"

namespace fathomer::test {

int FakeKeyStore::ReadInteger(const QString &name, int defaultValue) const {
    bool ok = false;
    const int value = values.value(name).toInt(&ok);
    return ok ? value : defaultValue;
}

void FakeKeyStore::WriteInteger(const QString &name, int value) {
    values[name] = QString::number(value);
    writes << name + QLatin1Char('=') + QString::number(value);
}

void FakeKeyStore::WriteIntegers(const QList<std::pair<QString, int>> &values) {
    if (refuseWrites) throw AppError(QStringLiteral("Failed to set data for '%1'").arg(values.front().first));
    for (const auto &[name, value] : values) WriteInteger(name, value);
}

KeyBindings defaultBindings() {
    FakeKeyStore store;
    KeyBindings keys;
    keys.Key_Load_Bindings(store);
    return keys;
}

}  // namespace fathomer::test
