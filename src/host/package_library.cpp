#include "host/package_library.h"

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>

#include "host/host_error.h"

namespace qj::host {
namespace {

template <class Function>
Function entry(void* handle, const char* name, const std::string& path) {
  void* symbol = ::dlsym(handle, name);
  if (!symbol) {
    ::dlclose(handle);
    throw HostError("帐务模块 " + path + " 缺少入口 " + name);
  }
  return reinterpret_cast<Function>(symbol);
}

}  // namespace

PackageLibrary::PackageLibrary(const std::string& path, HostServices& host) {
  // The package's code stays mapped after it is unloaded: Qt keeps the type
  // descriptions its screens registered (a list's alignment flags, say) and
  // would read them from unmapped memory when the package is loaded again
  // for the next book.
  handle_ = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
  if (!handle_) {
    const char* why = ::dlerror();
    throw HostError("无法加载帐务模块 " + path + "（" + (why ? why : "未知原因") + "）");
  }
  attach_ = entry<void (*)(HostServices*)>(handle_, "FinanceAttachHost", path);
  auto load = entry<void (*)()>(handle_, "FinanceLoad", path);
  unload_ = entry<void (*)()>(handle_, "FinanceUnload", path);
  // The host reaches Finance_Call through the commands FinanceLoad registers;
  // a library without it is not the package.
  entry<FinanceCallback>(handle_, "Finance_Call", path);
  hasScreen_ = entry<bool (*)(const char*)>(handle_, "FinanceHasScreen", path);
  attach_(&host);
  load();
}

PackageLibrary::~PackageLibrary() {
  unload_();
  attach_(nullptr);
  ::dlclose(handle_);
}

std::string PackageLibrary::DefaultPath() {
  if (const char* chosen = std::getenv("QINGJIAN_PACKAGE"); chosen && *chosen) return chosen;
  std::error_code error;
  const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) {
    const auto beside = program.parent_path().parent_path() / "lib" / "libqingjian-finance.so";
    if (std::filesystem::exists(beside)) return beside.string();
  }
  return QJ_DEFAULT_PACKAGE;
}

}  // namespace qj::host
