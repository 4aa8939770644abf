#pragma once

#include "platform/app_control.h"
#include "platform/app_error.h"
#include "platform/settings_store.h"

#include <type_traits>

namespace fathomer {

// For work that goes on when a stored value cannot be read (a value of a type this program never
// writes): the error is reported once, as an event's error is, and the reader's default is used.
inline int readIntegerReported(const Settings_Store &store, const QString &name, int readerDefault) {
    try {
        return store.ReadInteger(name, readerDefault);
    } catch (const AppError &error) {
        reportError(nullptr, error.message());
        return readerDefault;
    }
}

template <class T>
T readReported(const Settings_Store &store, const Setting<T> &setting, T readerDefault) {
    if constexpr (std::is_same_v<T, bool>)
        return readIntegerReported(store, setting.name(), readerDefault ? 1 : 0) != 0;
    else
        return readIntegerReported(store, setting.name(), readerDefault);
}

template <class T>
T readReported(const Settings_Store &store, const Setting<T> &setting) {
    return readReported(store, setting, setting.defaultValue);
}

// The store as the key bindings load from it: each key read on its own, so that one unreadable
// value costs only its own binding, which takes its default.
class ReportedReads {
public:
    explicit ReportedReads(Settings_Store &store) : store(store) {}
    int ReadInteger(const QString &name, int readerDefault) const {
        return readIntegerReported(store, name, readerDefault);
    }
    void WriteIntegers(const QList<std::pair<QString, int>> &values) { store.WriteIntegers(values); }

private:
    Settings_Store &store;
};

}  // namespace fathomer
