#pragma once

#include <exception>
#include <string>
#include <vector>

// Exceptions carry a message and their classic class name, because error
// reports and message boxes print both.
class Exception : public std::exception {
 public:
  explicit Exception(std::string Message);
  Exception(const Exception&) = default;
  Exception& operator=(const Exception&) = default;
  ~Exception() override = default;

  const char* what() const noexcept override { return Message_.c_str(); }
  const std::string& Message() const { return Message_; }
  void SetMessage(std::string Message) { Message_ = std::move(Message); }

  virtual const char* ClassName() const { return "Exception"; }

 private:
  std::string Message_;
};

// Declares an exception class with its classic name and parent.
#define TANDREL_EXCEPTION(Name, Parent)                      \
  class Name : public Parent {                               \
   public:                                                   \
    using Parent::Parent;                                    \
    const char* ClassName() const override { return #Name; } \
  }

// Raised by Abort(); message boxes skip it.
TANDREL_EXCEPTION(EAbort, Exception);
TANDREL_EXCEPTION(EConvertError, Exception);
TANDREL_EXCEPTION(EVariantError, Exception);
TANDREL_EXCEPTION(EListError, Exception);
TANDREL_EXCEPTION(EInvalidOperation, Exception);
TANDREL_EXCEPTION(EReadError, Exception);
TANDREL_EXCEPTION(EInvalidPointer, Exception);
TANDREL_EXCEPTION(EExternalException, Exception);

// An input/output failure with its error code (errno-style).
class EInOutError : public Exception {
 public:
  EInOutError(std::string Message, int ErrorCode);
  int ErrorCode() const { return ErrorCode_; }
  const char* ClassName() const override { return "EInOutError"; }


 private:
  int ErrorCode_;
};

// An operating-system call that failed, with the system's error code.
class EOSError : public Exception {
 public:
  EOSError(std::string Message, int ErrorCode);
  int ErrorCode() const { return ErrorCode_; }
  const char* ClassName() const override { return "EOSError"; }


 private:
  int ErrorCode_;
};

class EWin32Error : public EOSError {
 public:
  using EOSError::EOSError;
  const char* ClassName() const override { return "EWin32Error"; }

};

// A failure of a late-bound call; ErrorCode is the callee's code (0 when none).
class EOleError : public Exception {
 public:
  explicit EOleError(std::string Message, int ErrorCode = 0);
  int ErrorCode() const { return ErrorCode_; }
  const char* ClassName() const override { return "EOleError"; }


 private:
  int ErrorCode_;
};

// A failure raised inside a late-bound callee, carried back to the caller with
// the callee's class name as its source.
class EOleException : public EOleError {
 public:
  EOleException(std::string Message, std::string Source, int ErrorCode = 0);
  const std::string& Source() const { return Source_; }
  const char* ClassName() const override { return "EOleException"; }


 private:
  std::string Source_;
};

TANDREL_EXCEPTION(EDatabaseError, Exception);

// One error reported by a database engine.
struct TDBError {
  int ErrorCode = 0;
  std::string Message;
};

// A database-engine failure carrying every error the engine reported.
class EDBEngineError : public EDatabaseError {
 public:
  explicit EDBEngineError(std::vector<TDBError> Errors);
  EDBEngineError(std::string Message, std::vector<TDBError> Errors);
  int ErrorCount() const { return static_cast<int>(Errors_.size()); }
  const TDBError& Errors(int Index) const;
  const char* ClassName() const override { return "EDBEngineError"; }


 private:
  std::vector<TDBError> Errors_;
};

// Raises EAbort with the classic "Operation aborted" text.
[[noreturn]] void Abort();
