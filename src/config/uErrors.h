#pragma once
// Errors that travel up to the few places that show them to the user. Each carries its own
// message as text the program can put after a Chinese lead-in unchanged.

#include <QString>

#include <stdexcept>

class EMvError : public std::runtime_error {
public:
    explicit EMvError(const QString& message)
        : std::runtime_error(message.toStdString()), FMessage(message) {}
    const QString& Message() const { return FMessage; }

private:
    QString FMessage;
};

// A text that does not hold the number, Boolean or colour asked for.
class EConvertError : public EMvError {
public:
    using EMvError::EMvError;
};

// A data file that cannot be read, parsed, or written.
class EXmlError : public EMvError {
public:
    using EMvError::EMvError;
};
