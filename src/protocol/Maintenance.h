// The maintenance commands and the firmware gate: the controller exchanges
// that run directly on the calling thread (the user-interface thread), without
// the comms worker. Each leaves its exchange in the status log and tells the
// operator through CurrentFrontEnd().
//
// While a job of the comms worker runs (JobRunning), every command here that
// would exchange frames refuses at once: it sends and logs nothing, shows
// nothing and reports failure, so that it cannot disturb the job's exchange.
#pragma once

#include <cstdint>

namespace ostrin {

// The firmware the tool is made for.
inline constexpr int ExpectedFirmwareMajor = 1;
inline constexpr int ExpectedFirmwareMinor = 1;
inline constexpr int ExpectedFirmwarePatch = 17;

// Asks the controller for its firmware version. 1 when the controller
// answered (the outputs stay 0.0.0 when the reply is not a version reply);
// 0 when the port could not be opened or no reply came (outputs 0.0.0).
int QueryFirmwareVersion(int& major, int& minor, int& patch);

// Queues the payload once and waits up to 500 polls of 1 ms for a reply frame
// with the expected code, logging every frame that comes (" Resp:[...]"). A
// frame with another code is logged and the wait goes on. True when the
// expected reply came. The link state is not reset first.
bool SendMaintenanceCommand(const std::uint8_t* payload, int length, std::uint8_t expected, int capacity);

// Passes at once when ignoreVersion is set. Otherwise queries the version and
// passes only for the expected firmware; shows why it refused.
bool FirmwareGate(bool ignoreVersion);

// The buttons of the main window that run here. Each returns true when the
// controller answered as expected (for Set Clock: both halves).
// "Get Version": the query, then its result in a message box.
bool GetVersionButton();
// "Restart Ostrin".
bool RestartButton();
// "Set Clock": the time, then the date, from the installed local clock; a
// failed time does not stop the date.
bool SetClockButton();
// "DEFAULT" and "ERASE": two confirmations; Cancel on either sends nothing.
bool DefaultAllButton();
bool EraseAllButton();

}  // namespace ostrin
