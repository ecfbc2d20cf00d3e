#include "port/gpio_port.h"

// The kernel's GPIO interface itself, version 2, not libgpiod: Debian
// bookworm ships libgpiod 1.6, whose API is the one of version 1, while
// version 2 needs no library at all and sets the four outputs of a line
// byte together in one ioctl.
#include <fcntl.h>
#include <linux/gpio.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <optional>

#include "port/line_order.h"
#include "system/system_reason.h"

namespace kalmar {

namespace {

// The lines are requested in the order of AdapterPins' roles, so a line
// byte's D0-D3 are the request's lines 0-3 as they are and READ is line 4.
constexpr std::uint64_t kOutputLines = 0x0F;
constexpr std::uint64_t kReadLine = std::uint64_t{1} << AdapterPins::Read;
constexpr const char* kConsumer = "kalmar";
constexpr std::array<const char*, AdapterPins::kRoles> kRoleNames = {"DATA", "CLOCK", "VPP", "VDD",
                                                                      "READ"};

int ioctlRetrying(int fd, unsigned long request, void* argument) {
  int result = 0;
  do {
    result = ::ioctl(fd, request, argument);
  } while (result < 0 && errno == EINTR);
  return result;
}

// What the system's error means for a GPIO chip, in words a user can act on.
std::string causeOf(int error) {
  switch (error) {
    case ENOENT: return "такого устройства нет";
    case EACCES:
    case EPERM: return "нет права доступа к устройству";
    case ENODEV:
    case ENXIO: return "устройство отключено";
    case ENOTTY: return "это не GPIO-устройство";
    default: return systemReason(error);
  }
}

std::string needFor(int error) {
  if (error == EACCES || error == EPERM)
    return "Нужно право доступа к линиям GPIO: группа gpio (sudo adduser $USER gpio, затем "
           "войти заново).";
  if (error == ENOENT) return "Устройства GPIO этой системы: ls /dev/gpiochip*.";
  return "Нужно GPIO-устройство ядра Linux (/dev/gpiochipN).";
}

PortOpenResult refusedBy(const std::string& device, int error) {
  return notOpened(device, causeOf(error), needFor(error));
}

std::string linesText(const AdapterPins& pins) {
  std::string text;
  for (int role = AdapterPins::Data; role <= AdapterPins::Read; ++role) {
    if (!text.empty()) text += ", ";
    text += std::to_string(pins.pin[static_cast<std::size_t>(role)]) + " (" +
            kRoleNames[static_cast<std::size_t>(role)] + ")";
  }
  return text;
}

template <std::size_t N>
std::string fixedText(const char (&text)[N]) {
  return std::string(text, strnlen(text, N));
}

// The first role whose line the chip does not have, named for the user.
std::optional<std::string> missingLine(const gpiochip_info& info, const AdapterPins& pins) {
  for (int role = AdapterPins::Data; role <= AdapterPins::Read; ++role) {
    const int line = pins.pin[static_cast<std::size_t>(role)];
    if (line >= 0 && static_cast<unsigned>(line) < info.lines) continue;
    return "у " + fixedText(info.name) + " (" + fixedText(info.label) + ") линии 0-" +
           std::to_string(info.lines == 0 ? 0 : info.lines - 1) + ", линии " +
           std::to_string(line) + " (" + kRoleNames[static_cast<std::size_t>(role)] + ") нет";
  }
  return std::nullopt;
}

// DATA, CLOCK, VPP and VDD as outputs standing idle from the moment they are
// taken (all four high: the adapter inverts them, its supplies stay off),
// READ as an input.
gpio_v2_line_request requestFor(const AdapterPins& pins) {
  gpio_v2_line_request request{};
  for (std::size_t role = 0; role < AdapterPins::kRoles; ++role)
    request.offsets[role] = static_cast<__u32>(pins.pin[role]);
  request.num_lines = AdapterPins::kRoles;
  std::strncpy(request.consumer, kConsumer, sizeof request.consumer - 1);
  request.config.flags = GPIO_V2_LINE_FLAG_INPUT;
  request.config.num_attrs = 2;
  request.config.attrs[0].attr.id = GPIO_V2_LINE_ATTR_ID_FLAGS;
  request.config.attrs[0].attr.flags = GPIO_V2_LINE_FLAG_OUTPUT;
  request.config.attrs[0].mask = kOutputLines;
  request.config.attrs[1].attr.id = GPIO_V2_LINE_ATTR_ID_OUTPUT_VALUES;
  request.config.attrs[1].attr.values = kAdapterIdle;
  request.config.attrs[1].mask = kOutputLines;
  return request;
}

PortOpenResult requestRefused(const std::string& device, const AdapterPins& pins, int error) {
  if (error == EBUSY)
    return notOpened(device,
                   "одна из линий " + linesText(pins) + " занята другой программой или драйвером",
                   "Освободите линии (кто их держит, покажет gpioinfo) или назначьте другие "
                   "выводы: --pins DATA,CLOCK,VPP,VDD,READ.");
  if (error == EINVAL)
    return notOpened(device, "ядро не приняло запрос линий " + linesText(pins),
                   "Назначьте другие выводы: --pins DATA,CLOCK,VPP,VDD,READ.");
  if (error == ENOTTY)
    return notOpened(device, "ядро не знает второй версии интерфейса GPIO",
                   "Нужно ядро Linux 5.10 или новее.");
  return refusedBy(device, error);
}

// The chip's file descriptor, closed when the opening is over: the lines
// taken from it stay requested through their own descriptor.
class ChipFd {
 public:
  explicit ChipFd(const std::string& path) : fd_(::open(path.c_str(), O_RDWR | O_CLOEXEC)) {}
  ~ChipFd() {
    if (fd_ >= 0) ::close(fd_);
  }
  ChipFd(const ChipFd&) = delete;
  ChipFd& operator=(const ChipFd&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// The five lines from an open chip, outputs idle from the moment they are
// taken; their descriptor, or -1 with errno.
int takeLines(const ChipFd& chip, const AdapterPins& pins) {
  gpio_v2_line_request request = requestFor(pins);
  if (ioctlRetrying(chip.get(), GPIO_V2_GET_LINE_IOCTL, &request) != 0) return -1;
  return request.fd;
}

// The lines taken again: after the device went away and came back, the old
// request is dead.
int requestIdle(const std::string& device, const AdapterPins& pins) {
  const ChipFd chip(device);
  return chip.get() < 0 ? -1 : takeLines(chip, pins);
}

// The kernel sets the lines of one update one at a time in an order of its
// own (the Raspberry Pi's driver by line number), so a state that changes
// several lines is written a line at a time in the order the chip needs.
class GpioPort final : public PortIo {
 public:
  GpioPort(std::string device, const AdapterPins& pins, int lineFd,
           std::function<void(const std::string&)> onFailure)
      : device_(std::move(device)), pins_(pins), fd_(lineFd), onFailure_(std::move(onFailure)) {}
  ~GpioPort() override {
    leaveIdle();
    ::close(fd_);
  }
  GpioPort(const GpioPort&) = delete;
  GpioPort& operator=(const GpioPort&) = delete;

  void write(std::uint16_t address, std::uint8_t value) override {
    if ((address & 1u) != 0 || failed_) return;
    for (const std::uint8_t state : oneLineAtATime(last_, value)) {
      if (!setLines(state)) return lost("записать в");
      last_ = state;
    }
  }

  std::uint8_t read(std::uint16_t address) override {
    if (failed_) return 0;
    if ((address & 1u) == 0) return last_;
    gpio_v2_line_values values{};
    values.mask = kReadLine;
    if (ioctlRetrying(fd_, GPIO_V2_LINE_GET_VALUES_IOCTL, &values) != 0) {
      lost("прочитать");
      return 0;
    }
    return statusOfReadBack((values.bits & kReadLine) != 0);
  }

 private:
  bool setLines(std::uint8_t lineByte) {
    gpio_v2_line_values values{};
    values.mask = kOutputLines;
    values.bits = lineByte & kOutputLines;
    return ioctlRetrying(fd_, GPIO_V2_LINE_SET_VALUES_IOCTL, &values) == 0;
  }

  // The supplies off: through the lines held, or else through the lines
  // taken anew, if the device is back.
  bool leaveIdle() {
    bool idle = true;
    for (const std::uint8_t state : oneLineAtATime(last_, kAdapterIdle))
      idle = idle && setLines(state);
    if (idle) return true;
    const int fd = requestIdle(device_, pins_);
    if (fd < 0) return false;
    ::close(fd_);
    fd_ = fd;
    return true;
  }

  // Told once; from here on the port is a NonePort, so the programmer
  // check finds no programmer.
  void lost(const char* what) {
    const std::string cause = causeOf(errno);
    failed_ = true;
    const bool idle = leaveIdle();
    if (onFailure_)
      onFailure_(std::string("Не удалось ") + what + " линии GPIO " + device_ +
                 ".\r\nПричина: " + cause + "; " +
                 (idle ? "программатор выключен." : "выключите питание программатора."));
  }

  std::string device_;
  AdapterPins pins_;
  int fd_;
  std::function<void(const std::string&)> onFailure_;
  std::uint8_t last_ = kAdapterIdle;
  bool failed_ = false;
};

}  // namespace

PortOpenResult openGpioPort(const std::string& device, const AdapterPins& pins,
                            std::function<void(const std::string&)> onFailure) {
  const ChipFd chip(device);
  if (chip.get() < 0) return refusedBy(device, errno);
  gpiochip_info info{};
  if (ioctlRetrying(chip.get(), GPIO_GET_CHIPINFO_IOCTL, &info) != 0)
    return refusedBy(device, errno);
  if (const auto missing = missingLine(info, pins))
    return notOpened(device, *missing,
                   "Назначьте выводы, которые у него есть: --pins DATA,CLOCK,VPP,VDD,READ.");
  const int lines = takeLines(chip, pins);
  if (lines < 0) return requestRefused(device, pins, errno);
  PortOpenResult result;
  result.port = std::make_unique<GpioPort>(device, pins, lines, std::move(onFailure));
  result.opened = true;
  result.device = device;
  return result;
}

}  // namespace kalmar
