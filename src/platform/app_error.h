#pragma once

#include <QString>
#include <stdexcept>

namespace fathomer {

// An error raised inside an event; the application's handler shows its text in a message box
// and the rest of that event's work is skipped.
class AppError : public std::runtime_error {
public:
    explicit AppError(const QString &message) : std::runtime_error(message.toStdString()), text(message) {}
    QString message() const { return text; }

private:
    QString text;
};

}  // namespace fathomer
