// Exception classes of the framework. Every exception the library raises on
// purpose derives from Exception, which carries a message in CP1252.
#pragma once

#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const std::string& Message() const { return message_; }
    void SetMessage(std::string m) { message_ = std::move(m); }
    const char* what() const noexcept override { return message_.c_str(); }
    // Unqualified class name of the dynamic type ("EListError").
    std::string ClassName() const;

private:
    std::string message_;
};

#define FRAMEWORK_EXCEPTION(Name, Base)          \
    class Name : public Base {                   \
    public:                                      \
        using Base::Base;                        \
    }

FRAMEWORK_EXCEPTION(EListError, Exception);
FRAMEWORK_EXCEPTION(EStreamError, Exception);
FRAMEWORK_EXCEPTION(EReadError, EStreamError);
FRAMEWORK_EXCEPTION(EWriteError, EStreamError);
FRAMEWORK_EXCEPTION(EFOpenError, EStreamError);
FRAMEWORK_EXCEPTION(EFCreateError, EStreamError);
FRAMEWORK_EXCEPTION(EInvalidCast, Exception);
FRAMEWORK_EXCEPTION(EInvalidOperation, Exception);
FRAMEWORK_EXCEPTION(EConvertError, Exception);
FRAMEWORK_EXCEPTION(EInvalidGraphic, Exception);
FRAMEWORK_EXCEPTION(EOutOfResources, Exception);
FRAMEWORK_EXCEPTION(EComponentError, Exception);
FRAMEWORK_EXCEPTION(EAbort, Exception);
FRAMEWORK_EXCEPTION(EResNotFound, Exception);
