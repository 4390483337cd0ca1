#include "cli/ConfigurationImage.h"

#include <algorithm>
#include <cstring>

#include "model/FrontEnd.h"
#include "protocol/CommsWorker.h"
#include "protocol/ParameterIo.h"

namespace ostrin::cli {
namespace {

// The image being stored; the exchange function has no room for a context.
const std::map<ParameterNumber, Message>* replaying = nullptr;

// The read reply of n: its write message (whose layout the read reply shares)
// under the read reply's code; an empty port list travels with count 0.
Message readReplyOf(ParameterNumber n) {
  Message message;
  if (!BuildWriteMessage(n, message)) message = WritePortList(n, {});
  message.bytes[0] = ReplyCode(ReadCommandOf(KindOfNumber(n)));
  return message;
}

}  // namespace

ConfigurationImage ConfigurationImage::OfStore() {
  ConfigurationImage image;
  for (const ParameterNumber n : TransferOrder()) image.replies_.emplace(n, readReplyOf(n));
  return image;
}

void ConfigurationImage::StoreAsChanges() const {
  FrontEnd& frontEnd = CurrentFrontEnd();
  InstallFrontEnd(nullptr);
  replaying = &replies_;
  for (const ParameterNumber n : TransferOrder()) ReadParameter(n, Replay);
  replaying = nullptr;
  InstallFrontEnd(&frontEnd);
}

int ConfigurationImage::Replay(const std::uint8_t* request, int length, std::uint8_t* reply, int capacity,
                               int& count) {
  count = 0;
  const auto found = replaying->find(MessageWord(request, length, NumberOffset(request[0])));
  if (found == replaying->end()) return 0;
  count = std::min(found->second.length, capacity);
  std::memcpy(reply, found->second.data(), static_cast<std::size_t>(count));
  return 1;
}

}  // namespace ostrin::cli
