#include "port/small_port.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace kalmar::testing {
namespace {

// A scripted Windows: what the service manager knows, which files exist,
// and a log of every call.
class FakeWinApi final : public WinApi {
 public:
  bool GetVersionExA(WinVersionInfo& info) override {
    info = version;
    return true;
  }
  WinHandle OpenSCManagerA(std::uint32_t access) override {
    log.push_back("OpenSCManager " + hex(access));
    if (managerFails) return fail(5);
    return kManager;
  }
  WinHandle CreateServiceA(WinHandle, const std::string& name, const std::string& display,
                           std::uint32_t access, std::uint32_t type, std::uint32_t start,
                           std::uint32_t errorControl, const std::string& path) override {
    log.push_back("CreateService " + name + " " + display + " " + hex(access) + " " +
                  std::to_string(type) + " " + std::to_string(start) + " " +
                  std::to_string(errorControl) + " " + path);
    if (createError != 0) return fail(createError);
    if (serviceExists) return fail(1073);
    serviceExists = true;
    return kService;
  }
  WinHandle OpenServiceA(WinHandle, const std::string& name, std::uint32_t access) override {
    log.push_back("OpenService " + name + " " + hex(access));
    return serviceExists ? kService : fail(1060);
  }
  bool StartServiceA(WinHandle) override {
    log.push_back("StartService");
    if (serviceRunning) {
      lastError = 1056;
      return false;
    }
    serviceRunning = true;
    return true;
  }
  bool ControlService(WinHandle, std::uint32_t control) override {
    log.push_back("ControlService " + std::to_string(control));
    serviceRunning = false;
    return true;
  }
  bool DeleteService(WinHandle) override {
    log.push_back("DeleteService");
    serviceExists = false;
    return true;
  }
  bool CloseServiceHandle(WinHandle handle) override {
    log.push_back("CloseServiceHandle " + std::to_string(handle));
    return true;
  }
  WinHandle CreateFileA(const std::string& name, std::uint32_t access, std::uint32_t share,
                        std::uint32_t disposition, std::uint32_t attributes) override {
    log.push_back("CreateFile " + name + " " + hex(access) + " " + std::to_string(share) + " " +
                  std::to_string(disposition) + " " + hex(attributes));
    if (!serviceRunning) {
      lastError = 2;
      return kInvalidHandleValue;
    }
    return kDevice;
  }
  bool CloseHandle(WinHandle handle) override {
    log.push_back("CloseHandle " + std::to_string(handle));
    return true;
  }
  bool DeviceIoControl(WinHandle, std::uint32_t code, const std::uint8_t* input,
                       std::uint32_t inputSize, std::uint8_t* output, std::uint32_t outputSize,
                       std::uint32_t& returned) override {
    requests.push_back({code, std::vector<std::uint8_t>(input, input + inputSize), outputSize});
    if (ioFails) {
      lastError = 31;
      return false;
    }
    output[0] = readValue;
    output[1] = 0xEE;
    returned = 2;
    return true;
  }
  std::uint32_t GetLastError() override { return lastError; }
  std::string GetSystemDirectoryA() override { return "C:\\WINNT\\system32"; }
  std::string GetCurrentDirectoryA() override { return "C:\\Kalmar"; }
  bool FileExists(const std::string& path) override { return files.count(path) > 0; }

  struct Request {
    std::uint32_t code;
    std::vector<std::uint8_t> input;
    std::uint32_t outputSize;
  };

  static constexpr WinHandle kManager = 11, kService = 22, kDevice = 33;
  WinVersionInfo version{2, 5, 1};  // Windows XP
  bool managerFails = false;
  std::uint32_t createError = 0;
  bool serviceExists = false;
  bool serviceRunning = false;
  bool ioFails = false;
  std::uint8_t readValue = 0x7F;
  std::set<std::string> files{"C:\\Kalmar\\Smport.sys"};
  std::uint32_t lastError = 0;
  std::vector<std::string> log;
  std::vector<Request> requests;

 private:
  static std::string hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%X", value);
    return text;
  }
  WinHandle fail(std::uint32_t error) {
    lastError = error;
    return 0;
  }
};

bool logHas(const FakeWinApi& api, const std::string& prefix) {
  for (const auto& line : api.log)
    if (line.rfind(prefix, 0) == 0) return true;
  return false;
}

TEST(TSmallPort, ClassifiesSystemsAndComputesCodesOnlyForNt) {
  struct Case {
    WinVersionInfo version;
    int kind;
  };
  // Vista to 11 (6.x, 10.0) use the driver as 2000/XP do.
  for (Case c : {Case{{0, 3, 95}, 1}, Case{{1, 4, 0}, 2}, Case{{1, 4, 10}, 3}, Case{{1, 4, 90}, 6},
                 Case{{1, 4, 50}, 0}, Case{{2, 4, 0}, 4}, Case{{2, 5, 1}, 5}, Case{{2, 6, 1}, 5},
                 Case{{2, 10, 0}, 5}, Case{{2, 3, 51}, 0}, Case{{3, 5, 0}, 0}}) {
    EXPECT_EQ(TSmallPort::systemKindFrom(c.version), c.kind)
        << c.version.platformId << " " << c.version.majorVersion << "." << c.version.minorVersion;
  }
  FakeWinApi xp;
  {
    TSmallPort port(xp);
    EXPECT_EQ(port.readCode(), 0xF1006404u);
    EXPECT_EQ(port.writeCode(), 0xF100A408u);
    EXPECT_FALSE(port.Opened());
    EXPECT_EQ(port.DriverHandle(), -1);
  }
  FakeWinApi me;
  me.version = {1, 4, 90};
  TSmallPort port(me);
  EXPECT_EQ(port.readCode(), 0u);
  EXPECT_TRUE(me.log.empty()) << "creation opens nothing";
}

TEST(TSmallPort, InstallsAndStartsItsServiceAndRemovesItAtTheEnd) {
  FakeWinApi api;
  {
    TSmallPort port(api);
    port.setOpened(true);
    EXPECT_TRUE(port.Opened());
    EXPECT_EQ(port.DriverHandle(), FakeWinApi::kDevice);
    EXPECT_EQ(port.lastError(), 0u);
    EXPECT_TRUE(logHas(api, "OpenSCManager F003F"));
    EXPECT_TRUE(logHas(api, "CreateService Smport Smport F01FF 1 3 1 C:\\Kalmar\\Smport.sys"));
    EXPECT_TRUE(logHas(api, "CreateFile \\\\.\\Smport C0000000 0 3 80"));
    EXPECT_TRUE(port.deleteOnClose());
    EXPECT_TRUE(port.stopOnClose());
    api.log.clear();
  }
  EXPECT_TRUE(logHas(api, "CloseHandle 33"));
  EXPECT_TRUE(logHas(api, "ControlService 1"));
  EXPECT_TRUE(logHas(api, "DeleteService"));
  EXPECT_FALSE(api.serviceExists);
  EXPECT_EQ(api.log.back(), "CloseServiceHandle 11");
}

TEST(TSmallPort, LeavesAServiceThatWasAlreadyThereAndRunning) {
  FakeWinApi api;
  api.serviceExists = true;
  api.serviceRunning = true;
  {
    TSmallPort port(api);
    port.setOpened(true);
    EXPECT_TRUE(port.Opened());
    EXPECT_FALSE(port.deleteOnClose());
    EXPECT_FALSE(port.stopOnClose());
    EXPECT_EQ(port.lastError(), 0u);
    api.log.clear();
  }
  EXPECT_FALSE(logHas(api, "ControlService"));
  EXPECT_FALSE(logHas(api, "DeleteService"));
  EXPECT_TRUE(api.serviceExists);
  EXPECT_TRUE(api.serviceRunning);
}

TEST(TSmallPort, DriverOnlyInTheSystemDirectory) {
  FakeWinApi api;
  api.files.clear();
  TSmallPort port(api);
  port.setOpened(true);
  EXPECT_TRUE(
      logHas(api, "CreateService Smport Smport F01FF 1 3 1 C:\\WINNT\\system32\\Smport.sys"));
}

TEST(TSmallPort, FailuresAreRecordedAndLeaveTheDeviceClosed) {
  FakeWinApi noManager;
  noManager.managerFails = true;
  TSmallPort a(noManager);
  a.setOpened(true);
  EXPECT_FALSE(a.Opened());
  EXPECT_EQ(a.lastError(), 5u);
  EXPECT_FALSE(logHas(noManager, "CreateService"));

  FakeWinApi denied;
  denied.createError = 1072;
  TSmallPort b(denied);
  b.setOpened(true);
  EXPECT_FALSE(b.Opened());
  EXPECT_EQ(b.lastError(), 1072u);
  EXPECT_EQ(denied.log.back(), "CloseServiceHandle 11");
  EXPECT_FALSE(logHas(denied, "StartService"));
}

TEST(TSmallPort, OpenedIsIdempotent) {
  FakeWinApi api;
  TSmallPort port(api);
  port.setOpened(false);
  EXPECT_TRUE(api.log.empty());
  port.setOpened(true);
  std::size_t calls = api.log.size();
  port.setOpened(true);
  EXPECT_EQ(api.log.size(), calls);
  port.setOpened(false);
  EXPECT_FALSE(port.Opened());
  EXPECT_EQ(api.log.back(), "CloseHandle 33");
}

TEST(TSmallPort, ByteRequestsUseTheWireFormat) {
  FakeWinApi api;
  TSmallPort port(api);
  EXPECT_EQ(port.read(0x379), 0);
  EXPECT_EQ(port.lastError(), 6u) << "no device open";
  EXPECT_TRUE(api.requests.empty());

  port.setOpened(true);
  port.write(0x378, 0x0B);
  EXPECT_EQ(port.read(0x379), 0x7F);
  ASSERT_EQ(api.requests.size(), 2u);
  EXPECT_EQ(api.requests[0].code, 0xF100A408u);
  EXPECT_EQ(api.requests[0].input, (std::vector<std::uint8_t>{0x78, 0x03, 0x0B, 0x00}));
  EXPECT_EQ(api.requests[0].outputSize, 2u);
  EXPECT_EQ(api.requests[1].code, 0xF1006404u);
  EXPECT_EQ(api.requests[1].input, (std::vector<std::uint8_t>{0x79, 0x03}));

  api.ioFails = true;
  EXPECT_EQ(port.read(0x379), 0);
  EXPECT_EQ(port.lastError(), 31u);
}

}  // namespace
}  // namespace kalmar::testing
