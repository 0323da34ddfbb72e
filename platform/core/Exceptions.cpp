#include "platform/core/Exceptions.h"

Exception::Exception(std::string Message) : Message_(std::move(Message)) {}

EInOutError::EInOutError(std::string Message, int ErrorCode)
    : Exception(std::move(Message)), ErrorCode_(ErrorCode) {}

EOSError::EOSError(std::string Message, int ErrorCode)
    : Exception(std::move(Message)), ErrorCode_(ErrorCode) {}

EOleError::EOleError(std::string Message, int ErrorCode)
    : Exception(std::move(Message)), ErrorCode_(ErrorCode) {}

EOleException::EOleException(std::string Message, std::string Source, int ErrorCode)
    : EOleError(std::move(Message), ErrorCode), Source_(std::move(Source)) {}

namespace {
std::string FirstMessage(const std::vector<TDBError>& Errors) {
  return Errors.empty() ? std::string() : Errors.front().Message;
}
}  // namespace

EDBEngineError::EDBEngineError(std::vector<TDBError> Errors)
    : EDatabaseError(FirstMessage(Errors)), Errors_(std::move(Errors)) {}

EDBEngineError::EDBEngineError(std::string Message, std::vector<TDBError> Errors)
    : EDatabaseError(std::move(Message)), Errors_(std::move(Errors)) {}

const TDBError& EDBEngineError::Errors(int Index) const {
  if (Index < 0 || Index >= ErrorCount())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return Errors_[static_cast<size_t>(Index)];
}

void Abort() { throw EAbort("Operation aborted"); }
