// A configuration as the controller would hold it: for every number of the
// transfer order, the read reply that would carry the store's current value.
// Putting an image back into the store goes through the same decoding as a
// read from the controller, so two configurations compare as the controller
// sees them, and every record whose value changes becomes pending.
#pragma once

#include <map>

#include "model/ParameterStore.h"
#include "protocol/Messages.h"

namespace ostrin::cli {

class ConfigurationImage {
 public:
  // The image of the store as it is now.
  static ConfigurationImage OfStore();

  // Stores every value of the image as a change (the store's change rule
  // marks each record whose value differs as pending). Nothing is sent or logged.
  void StoreAsChanges() const;

 private:
  static int Replay(const std::uint8_t* request, int length, std::uint8_t* reply, int capacity, int& count);

  std::map<ParameterNumber, Message> replies_;
};

}  // namespace ostrin::cli
