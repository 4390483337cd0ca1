// ostrin-cli version, upload, download, sync, verify and commit: the firmware
// query and the bulk transfers, run on this thread without the comms worker,
// with the status log, the progress bar and the message texts of the main
// window. Each transfer first passes the firmware gate (unless
// --ignore-version); the confirmations of the main window are implied.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "cli/CliSupport.h"
#include "cli/ConfigurationImage.h"
#include "cli/ControllerCommands.h"
#include "cli/ControllerSession.h"
#include "datafile/DataFile.h"
#include "datafile/Profile.h"
#include "link/SerialLink.h"
#include "model/FrontEnd.h"
#include "model/ParameterStore.h"
#include "protocol/CommsWorker.h"
#include "protocol/LocalClock.h"
#include "protocol/Maintenance.h"

namespace ostrin::cli {
namespace {

using SavedKeys = std::vector<IniDocument::Entry>;

int checkReadable(const std::string& path) {
  if (DataFileReadable(path)) return ExitSuccess;
  return Fail(ExitFileError, "cannot read data file \"" + path + "\"");
}

int checkFolderOf(const std::string& path) {
  const std::filesystem::path folder = std::filesystem::absolute(path).parent_path();
  std::error_code error;
  if (std::filesystem::is_directory(folder, error)) return ExitSuccess;
  return Fail(ExitFileError, "there is no folder " + folder.string() + " for \"" + path + "\"");
}

int save(const std::string& path) {
  const SaveResult result = SaveDataFile(path, nullptr);
  return result.ok() ? ExitSuccess : Fail(ExitFileError, result.reason);
}

// Reads every parameter into a reset store.
int readAll(const ControllerSession& session) {
  ResetStore();
  CancelRequested = 0;
  return ReadAllJob() ? ExitSuccess : session.ControllerFailed();
}

std::string backupPath(const std::string& folder) {
  const LocalDateTime now = CurrentClock().Now();
  char name[64];
  std::snprintf(name, sizeof name, "ostrin-backup-%04d%02d%02d-%02d%02d%02d.ini", now.year, now.month, now.day,
                now.hour, now.minute, now.second);
  return (std::filesystem::path(folder) / name).string();
}

// Saves the configuration just read from the controller into the folder.
int saveBackup(const std::string& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  const std::string path = backupPath(folder);
  const int code = save(path);
  if (code == ExitSuccess) std::cerr << "ostrin-cli: the controller's configuration is saved in " << path << '\n';
  return code;
}

// Reads the controller's configuration first when a backup folder is given.
int backUpIfAsked(const ControllerSession& session, const std::string& folder) {
  if (folder.empty()) return ExitSuccess;
  const int code = readAll(session);
  return code != ExitSuccess ? code : saveBackup(folder);
}

int gate(const ControllerSession& session, const ControllerOptions& options) {
  return FirmwareGate(options.ignoreVersion) ? ExitSuccess : session.ControllerFailed();
}

SavedKeys storeKeys() { return SaveAllToDocument().Entries(); }

std::string placeOf(const IniDocument::Entry& entry) { return "[" + entry.section + "] " + entry.key; }

// Prints "[Section] Key: <controller> -> <file>" for each key that differs; returns how many.
int printDifferences(const SavedKeys& controller, const SavedKeys& file) {
  std::map<std::string, std::string> inFile;
  for (const auto& entry : file) inFile.emplace(placeOf(entry), entry.value);
  int differences = 0;
  for (const auto& entry : controller) {
    const auto found = inFile.find(placeOf(entry));
    if (found == inFile.end() || found->second == entry.value) continue;
    std::cout << placeOf(entry) << ": " << entry.value << " -> " << found->second << '\n';
    ++differences;
  }
  return differences;
}

// Puts the store's configuration through a save and a load of the data file,
// so that it reads as a data file with the same keys would (a blank code, for
// one, is no code), with no change pending.
void normaliseThroughDataFile() {
  IniDocument document = SaveAllToDocument();
  const ProfileSession session(document);
  LoadAllCategories();
}

// The data file's configuration as the controller would hold it.
ConfigurationImage imageOfFile(const std::string& path) {
  ResetStore();
  OpenDataFile(path);
  return ConfigurationImage::OfStore();
}

int version(const ControllerOptions& options) {
  const ControllerSession session(options);
  if (session.Status() != ExitSuccess) return session.Status();
  int major = 0;
  int minor = 0;
  int patch = 0;
  if (QueryFirmwareVersion(major, minor, patch) != 1) {
    CurrentFrontEnd().ShowMessage("FAILURE reading Ostrin Firmware Version", "");
    return session.ControllerFailed();
  }
  std::cout << "Ostrin Firmware Version: " << major << '.' << minor << '.' << patch << '\n';
  return ExitSuccess;
}

int upload(const ControllerOptions& options, const std::string& out) {
  if (const int code = checkFolderOf(out); code != ExitSuccess) return code;
  const ControllerSession session(options);
  if (session.Status() != ExitSuccess) return session.Status();
  if (const int code = gate(session, options); code != ExitSuccess) return code;
  if (const int code = readAll(session); code != ExitSuccess) return code;
  return save(out);
}

int download(const ControllerOptions& options, const std::string& in, const std::string& backup) {
  if (const int code = checkReadable(in); code != ExitSuccess) return code;
  const ControllerSession session(options);
  if (session.Status() != ExitSuccess) return session.Status();
  if (const int code = gate(session, options); code != ExitSuccess) return code;
  if (const int code = backUpIfAsked(session, backup); code != ExitSuccess) return code;
  ResetStore();
  OpenDataFile(in);
  CancelRequested = 0;
  return WriteAllJob() ? ExitSuccess : session.ControllerFailed();
}

int sync(const ControllerOptions& options, const std::string& in, bool dryRun, const std::string& backup) {
  if (const int code = checkReadable(in); code != ExitSuccess) return code;
  const ControllerSession session(options);
  if (session.Status() != ExitSuccess) return session.Status();
  if (const int code = gate(session, options); code != ExitSuccess) return code;
  const ConfigurationImage file = imageOfFile(in);
  if (const int code = readAll(session); code != ExitSuccess) return code;
  if (!backup.empty()) {
    if (const int code = saveBackup(backup); code != ExitSuccess) return code;
  }
  const SavedKeys controllerKeys = storeKeys();
  normaliseThroughDataFile();
  file.StoreAsChanges();
  printDifferences(controllerKeys, storeKeys());
  const int pending = CountPending();
  std::cerr << "ostrin-cli: " << pending << " parameters differ from the data file"
            << (dryRun ? "; nothing written (--dry-run)" : "") << '\n';
  if (dryRun || pending == 0) return ExitSuccess;
  CancelRequested = 0;
  if (WriteChangedJob()) return ExitSuccess;
  return session.ControllerFailed("the write stopped; sync again to write what is still missing");
}

int verify(const ControllerOptions& options, const std::string& in) {
  if (const int code = checkReadable(in); code != ExitSuccess) return code;
  const ControllerSession session(options);
  if (session.Status() != ExitSuccess) return session.Status();
  if (const int code = gate(session, options); code != ExitSuccess) return code;
  const ConfigurationImage file = imageOfFile(in);
  if (const int code = readAll(session); code != ExitSuccess) return code;
  const SavedKeys controllerKeys = storeKeys();
  ResetStore();
  file.StoreAsChanges();
  return printDifferences(controllerKeys, storeKeys()) == 0 ? ExitSuccess : ExitFailed;
}

int commit(const ControllerOptions& options) {
  const ControllerSession session(options);
  if (session.Status() != ExitSuccess) return session.Status();
  if (const int code = gate(session, options); code != ExitSuccess) return code;
  CancelRequested = 0;
  return CommitJob() ? ExitSuccess : session.ControllerFailed("the controller did not acknowledge the commit");
}

void throwUnlessSuccess(int code) {
  if (code != ExitSuccess) throw CLI::RuntimeError(code);
}

// A subcommand with the shared controller options.
std::shared_ptr<ControllerOptions> addCommand(CLI::App& app, CLI::App*& command, const char* name,
                                              const char* description) {
  command = app.add_subcommand(name, description);
  auto options = std::make_shared<ControllerOptions>();
  AddControllerOptions(*command, *options, false);
  return options;
}

}  // namespace

void AddTransferCommands(CLI::App& app) {
  CLI::App* command = nullptr;

  auto versionOptions = addCommand(app, command, "version", "Print the controller's firmware version");
  command->callback([versionOptions] { throwUnlessSuccess(version(*versionOptions)); });

  auto uploadOptions = addCommand(app, command, "upload", "Read every parameter and save them as a data file");
  auto out = std::make_shared<std::string>();
  command->add_option("--out", *out, "the data file to save")->required();
  command->callback([uploadOptions, out] { throwUnlessSuccess(upload(*uploadOptions, *out)); });

  auto downloadOptions = addCommand(app, command, "download", "Write every parameter of a data file");
  auto downloadIn = std::make_shared<std::string>();
  auto downloadBackup = std::make_shared<std::string>();
  command->add_option("--in", *downloadIn, "the data file to write")->required();
  command->add_option("--backup", *downloadBackup, "first save the controller's configuration into this folder");
  command->callback([downloadOptions, downloadIn, downloadBackup] {
    throwUnlessSuccess(download(*downloadOptions, *downloadIn, *downloadBackup));
  });

  auto syncOptions =
      addCommand(app, command, "sync", "Write only the parameters in which the controller differs from a data file");
  auto syncIn = std::make_shared<std::string>();
  auto syncBackup = std::make_shared<std::string>();
  auto dryRun = std::make_shared<bool>(false);
  command->add_option("--in", *syncIn, "the data file the controller is to hold")->required();
  command->add_flag("--dry-run", *dryRun, "print the differences and write nothing");
  command->add_option("--backup", *syncBackup, "first save the controller's configuration into this folder");
  command->callback([syncOptions, syncIn, dryRun, syncBackup] {
    throwUnlessSuccess(sync(*syncOptions, *syncIn, *dryRun, *syncBackup));
  });

  auto verifyOptions = addCommand(app, command, "verify", "Check that the controller holds a data file's configuration");
  auto verifyIn = std::make_shared<std::string>();
  command->add_option("--in", *verifyIn, "the data file to compare with")->required();
  command->callback([verifyOptions, verifyIn] { throwUnlessSuccess(verify(*verifyOptions, *verifyIn)); });

  auto commitOptions = addCommand(app, command, "commit", "Send the controller's commit request");
  command->callback([commitOptions] { throwUnlessSuccess(commit(*commitOptions)); });
}

}  // namespace ostrin::cli
