#include "datafile/Profile.h"

#include "datafile/DataFileName.h"

namespace ostrin {
namespace {

thread_local ProfileSession* activeSession = nullptr;

IniDocument parseFile(const std::string& path) {
  const auto bytes = ReadWholeFile(path);
  return bytes ? IniDocument::Parse(*bytes) : IniDocument{};
}

}  // namespace

ProfileSession::ProfileSession() : outer_(activeSession) {
  if (outer_) {
    document_ = outer_->document_;
  } else {
    path_ = CurrentDataFileName();
    if (path_ != NotYetDefined) ownDocument_ = parseFile(path_);
    document_ = &ownDocument_;
  }
  activeSession = this;
}

ProfileSession::ProfileSession(IniDocument& document)
    : outer_(activeSession), document_(&document), inMemory_(true) {
  activeSession = this;
}

ProfileSession::~ProfileSession() {
  if (dirty_) Commit();
  activeSession = outer_;
}

SaveResult ProfileSession::Commit() {
  if (outer_ && !inMemory_) {
    outer_->dirty_ = outer_->dirty_ || dirty_;
    dirty_ = false;
    return {SaveResult::Status::Deferred, {}};
  }
  if (inMemory_ || !dirty_) return {};
  dirty_ = false;
  if (path_ == NotYetDefined) return {SaveResult::Status::NoDataFile, {}};
  return WriteFileAtomically(path_, document_->Serialise());
}

std::string ReadProfileText(std::string_view section, std::string_view key,
                            std::string_view defaultText) {
  if (activeSession) {
    auto value = activeSession->document_->Read(section, key);
    return value ? std::move(*value) : std::string(defaultText);
  }
  ProfileSession session;
  return ReadProfileText(section, key, defaultText);
}

SaveResult WriteProfileText(std::string_view section, std::string_view key, std::string_view value) {
  if (activeSession) {
    activeSession->document_->Write(section, key, value);
    activeSession->dirty_ = true;
    return {SaveResult::Status::Deferred, {}};
  }
  ProfileSession session;
  WriteProfileText(section, key, value);
  return session.Commit();
}

}  // namespace ostrin
