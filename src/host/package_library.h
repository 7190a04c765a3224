// The package library, loaded at start-up and attached to our host.
#pragma once

#include <string>

#include "hostapi/host_services.h"

namespace qj::host {

class PackageLibrary {
 public:
  // Loads the library, hands it the host and runs FinanceLoad. Throws
  // HostError when the file is missing or lacks an entry point.
  PackageLibrary(const std::string& path, HostServices& host);
  PackageLibrary(const PackageLibrary&) = delete;
  PackageLibrary& operator=(const PackageLibrary&) = delete;
  // Runs FinanceUnload and unloads the library.
  ~PackageLibrary();

  // Whether the package has the screen of a form-name key.
  [[nodiscard]] bool hasScreen(const std::string& key) const { return hasScreen_(key.c_str()); }

  // QINGJIAN_PACKAGE when set; else the library beside the program
  // (../lib/libqingjian-finance.so); else the one of the build.
  static std::string DefaultPath();

 private:
  void* handle_ = nullptr;
  void (*attach_)(HostServices*) = nullptr;
  void (*unload_)() = nullptr;
  bool (*hasScreen_)(const char*) = nullptr;
};

}  // namespace qj::host
