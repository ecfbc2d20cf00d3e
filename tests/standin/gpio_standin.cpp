// The GPIO character device of a Raspberry Pi, loaded with LD_PRELOAD in
// front of the C library: with KALMAR_STANDIN_CHIP set, /dev/gpiochip0 opens
// here, its ioctls drive the simulated adapter and chip (standin_board.h),
// and closing the lines' descriptor saves the chip and writes the report,
// with two lines more: the line byte the lines were requested in and the
// one they were released in ("requested 0F", "released 0F"). Other paths
// and descriptors go to the real calls.

// The C library's fortified open is an inline function of the same name.
#undef _FORTIFY_SOURCE

#include <dlfcn.h>
#include <fcntl.h>
#include <linux/gpio.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <set>
#include <vector>

#include "standin/standin_board.h"

namespace {

using kalmar::AdapterPins;
using kalmar::standin::Board;
using kalmar::standin::nowNs;

constexpr const char* kChipPath = "/dev/gpiochip0";
constexpr const char* kChipPrefix = "/dev/gpiochip";
constexpr unsigned kChipLines = 58;

template <typename Function>
Function* realCall(const char* name) {
  return reinterpret_cast<Function*>(dlsym(RTLD_NEXT, name));
}

int realOpen(const char* path, int flags, mode_t mode) {
  static auto* call = realCall<int(const char*, int, ...)>("open");
  return call(path, flags, mode);
}

int failWith(int error) {
  errno = error;
  return -1;
}

bool standing() {
  static const bool chipSet = [] {
    const char* chip = std::getenv("KALMAR_STANDIN_CHIP");
    return chip != nullptr && *chip != '\0';
  }();
  return chipSet;
}

// The device behind the chip's and the lines' descriptors (numbers the
// system gave for /dev/null, so no other file takes them meanwhile).
struct Device {
  // Saving the chip at a release may close files of its own.
  std::recursive_mutex mutex;
  std::unique_ptr<Board> board;
  bool boardTried = false;
  std::set<int> chipFds;
  int lineFd = -1;
  std::set<int> deadFds;  // lines requested before the device went away
  std::array<unsigned, AdapterPins::kRoles> offsets{};  // request line -> pin
  std::uint64_t outputs = 0;                            // every pin's level, pin n is bit n
  std::uint8_t requested = 0;
  std::int64_t lastNs = 0;  // the last change of a line
};

// Never destroyed: the program may close descriptors while it exits.
Device& device() {
  static auto* device = new Device();
  return *device;
}

// A program that exits holding its lines still leaves the chip saved (the
// report then has no "released" line).
struct SaveAtExit {
  ~SaveAtExit() {
    Device& d = device();
    const std::lock_guard lock(d.mutex);
    if (d.board) d.board->close();
  }
} saveAtExit;

int openChip(const char* path) {
  Device& d = device();
  const std::lock_guard lock(d.mutex);
  if (std::strcmp(path, kChipPath) != 0) return failWith(ENOENT);
  if (!d.boardTried) d.board = Board::fromEnvironment(kalmar::kGpioDefaultPins, false);
  d.boardTried = true;
  if (!d.board) return failWith(EIO);
  if (d.board->unplugged()) return failWith(ENOENT);
  const int fd = realOpen("/dev/null", O_RDWR | O_CLOEXEC, 0);
  if (fd >= 0) d.chipFds.insert(fd);
  return fd;
}

bool ours(const char* path) {
  return path != nullptr && std::strncmp(path, kChipPrefix, std::strlen(kChipPrefix)) == 0 &&
         standing();
}

mode_t modeOf(int flags, va_list arguments) {
  return (flags & (O_CREAT | O_TMPFILE)) != 0 ? static_cast<mode_t>(va_arg(arguments, int)) : 0;
}

// --- The chip's ioctls.

int chipInfo(gpiochip_info& info) {
  info = {};
  std::snprintf(info.name, sizeof info.name, "%s", "gpiochip0");
  std::snprintf(info.label, sizeof info.label, "%s", "pinctrl-bcm2711");
  info.lines = kChipLines;
  return 0;
}

int refuse(const char* what) {
  std::fprintf(stderr, "stand-in: the line request %s\n", what);
  return failWith(EINVAL);
}

// The flags and the initial output level of request line i, as the kernel
// reads them: the config's own, unless an attribute with line i in its mask says otherwise.
std::uint64_t flagsOf(const gpio_v2_line_config& config, unsigned i) {
  std::uint64_t flags = config.flags;
  for (unsigned a = 0; a < config.num_attrs && a < GPIO_V2_LINE_NUM_ATTRS_MAX; ++a)
    if (config.attrs[a].attr.id == GPIO_V2_LINE_ATTR_ID_FLAGS && ((config.attrs[a].mask >> i) & 1u))
      flags = config.attrs[a].attr.flags;
  return flags;
}

bool initialHigh(const gpio_v2_line_config& config, unsigned i) {
  bool high = false;
  for (unsigned a = 0; a < config.num_attrs && a < GPIO_V2_LINE_NUM_ATTRS_MAX; ++a)
    if (config.attrs[a].attr.id == GPIO_V2_LINE_ATTR_ID_OUTPUT_VALUES &&
        ((config.attrs[a].mask >> i) & 1u))
      high = ((config.attrs[a].attr.values >> i) & 1u) != 0;
  return high;
}

// The role of a pin on the board, or -1 for a pin the adapter is not on.
int roleOf(const AdapterPins& pins, unsigned pin) {
  for (int role = AdapterPins::Data; role <= AdapterPins::Read; ++role)
    if (pins[static_cast<AdapterPins::Role>(role)] == static_cast<int>(pin)) return role;
  return -1;
}

// The five lines of the board, each once, the outputs as outputs and READ
// as an input; empty when so, else what is wrong.
const char* requestFault(const AdapterPins& pins, const gpio_v2_line_request& request) {
  if (request.num_lines != AdapterPins::kRoles) return "does not name five lines";
  unsigned rolesSeen = 0;
  for (unsigned i = 0; i < request.num_lines; ++i) {
    if (request.offsets[i] >= kChipLines) return "names a line the chip does not have";
    const int role = roleOf(pins, request.offsets[i]);
    if (role < 0) return "names a line the adapter is not on";
    rolesSeen |= 1u << role;
    const std::uint64_t wanted =
        role == AdapterPins::Read ? GPIO_V2_LINE_FLAG_INPUT : GPIO_V2_LINE_FLAG_OUTPUT;
    if ((flagsOf(request.config, i) & wanted) == 0) return "gives a line the wrong direction";
  }
  return rolesSeen == (1u << AdapterPins::kRoles) - 1 ? "" : "names a line twice";
}

int requestLines(Device& d, gpio_v2_line_request& request) {
  if (d.lineFd >= 0 && d.deadFds.count(d.lineFd) == 0) return failWith(EBUSY);
  const char* fault = requestFault(d.board->map(), request);
  if (*fault != '\0') return refuse(fault);
  d.outputs = 0;
  for (unsigned i = 0; i < AdapterPins::kRoles; ++i) {
    d.offsets[i] = request.offsets[i];
    if (initialHigh(request.config, i)) d.outputs |= std::uint64_t{1} << request.offsets[i];
  }
  const int fd = realOpen("/dev/null", O_RDWR | O_CLOEXEC, 0);
  if (fd < 0) return -1;
  d.board->setOutputs(d.outputs, nowNs());
  d.requested = d.board->lineByte(d.outputs);
  d.lineFd = fd;
  request.fd = fd;
  return 0;
}

int chipIoctl(Device& d, unsigned long request, void* argument) {
  if (request == GPIO_GET_CHIPINFO_IOCTL) return chipInfo(*static_cast<gpiochip_info*>(argument));
  if (request == GPIO_V2_GET_LINE_IOCTL)
    return requestLines(d, *static_cast<gpio_v2_line_request*>(argument));
  return failWith(ENOTTY);
}

// --- The lines' ioctls: bits and masks count the request's lines.

// The lines of one update are set one at a time, by line number, as the
// Raspberry Pi's driver does (KALMAR_STANDIN_LINE_ORDER=descending: the
// other way round), each kLineGapNs after the one before.
constexpr std::int64_t kLineGapNs = 40;

bool descendingLines() {
  static const bool descending = [] {
    const char* order = std::getenv("KALMAR_STANDIN_LINE_ORDER");
    return order != nullptr && std::strcmp(order, "descending") == 0;
  }();
  return descending;
}

// The moment of the next change: never before the last one.
std::int64_t nextMoment(Device& d) {
  d.lastNs = std::max(nowNs(), d.lastNs);
  return d.lastNs;
}

int setValues(Device& d, const gpio_v2_line_values& values) {
  const int readPin = d.board->map()[AdapterPins::Read];
  std::vector<unsigned> changing;  // pins
  for (unsigned i = 0; i < AdapterPins::kRoles; ++i) {
    if (((values.mask >> i) & 1u) == 0) continue;
    if (d.offsets[i] == static_cast<unsigned>(readPin)) return failWith(EPERM);  // an input
    const bool high = ((values.bits >> i) & 1u) != 0;
    if (high != (((d.outputs >> d.offsets[i]) & 1u) != 0)) changing.push_back(d.offsets[i]);
  }
  std::sort(changing.begin(), changing.end());
  if (descendingLines()) std::reverse(changing.begin(), changing.end());
  std::int64_t t = nextMoment(d);
  for (const unsigned pin : changing) {
    d.outputs ^= std::uint64_t{1} << pin;
    d.board->setOutputs(d.outputs, t);
    t += kLineGapNs;
    d.lastNs = t;
  }
  return 0;
}

int getValues(Device& d, gpio_v2_line_values& values) {
  const std::uint64_t pins = d.board->pins(nextMoment(d));
  values.bits = 0;
  for (unsigned i = 0; i < AdapterPins::kRoles; ++i)
    if (((values.mask >> i) & 1u) != 0 && ((pins >> d.offsets[i]) & 1u) != 0)
      values.bits |= std::uint64_t{1} << i;
  return 0;
}

int lineIoctl(Device& d, unsigned long request, void* argument) {
  if (request == GPIO_V2_LINE_SET_VALUES_IOCTL)
    return setValues(d, *static_cast<gpio_v2_line_values*>(argument));
  if (request == GPIO_V2_LINE_GET_VALUES_IOCTL)
    return getValues(d, *static_cast<gpio_v2_line_values*>(argument));
  return failWith(ENOTTY);
}

// -1 with errno for a descriptor of ours, or 1 when the call is someone else's.
int deviceIoctl(int fd, unsigned long request, void* argument) {
  Device& d = device();
  const std::lock_guard lock(d.mutex);
  const bool chipFd = d.chipFds.count(fd) != 0;
  if (d.deadFds.count(fd) != 0) return failWith(ENODEV);
  if (!chipFd && (fd != d.lineFd || fd < 0)) return 1;
  // Every call is a transfer; a device that has gone answers none, and the
  // lines requested from it stay dead when it comes back.
  if (d.board->transferUnplugs()) {
    if (d.lineFd >= 0) d.deadFds.insert(d.lineFd);
    return failWith(ENODEV);
  }
  return chipFd ? chipIoctl(d, request, argument) : lineIoctl(d, request, argument);
}

// The lines given back: the chip saved, the report written, and the line
// bytes they were taken and left in added to it.
void releaseLines(Device& d) {
  d.lineFd = -1;
  d.board->close();
  d.board->reportLines(d.requested, d.board->lineByte(d.outputs));
}

void forget(int fd) {
  Device& d = device();
  const std::lock_guard lock(d.mutex);
  d.chipFds.erase(fd);
  if (d.deadFds.erase(fd) != 0) {
    if (fd == d.lineFd) d.lineFd = -1;
    return;
  }
  if (fd >= 0 && fd == d.lineFd) releaseLines(d);
}

}  // namespace

extern "C" {

int open(const char* path, int flags, ...) {
  va_list arguments;
  va_start(arguments, flags);
  const mode_t mode = modeOf(flags, arguments);
  va_end(arguments);
  if (ours(path)) return openChip(path);
  return realOpen(path, flags, mode);
}

int open64(const char* path, int flags, ...) {
  va_list arguments;
  va_start(arguments, flags);
  const mode_t mode = modeOf(flags, arguments);
  va_end(arguments);
  if (ours(path)) return openChip(path);
  static auto* call = realCall<int(const char*, int, ...)>("open64");
  return call(path, flags, mode);
}

int openat(int directory, const char* path, int flags, ...) {
  va_list arguments;
  va_start(arguments, flags);
  const mode_t mode = modeOf(flags, arguments);
  va_end(arguments);
  if (ours(path)) return openChip(path);
  static auto* call = realCall<int(int, const char*, int, ...)>("openat");
  return call(directory, path, flags, mode);
}

int openat64(int directory, const char* path, int flags, ...) {
  va_list arguments;
  va_start(arguments, flags);
  const mode_t mode = modeOf(flags, arguments);
  va_end(arguments);
  if (ours(path)) return openChip(path);
  static auto* call = realCall<int(int, const char*, int, ...)>("openat64");
  return call(directory, path, flags, mode);
}

// The fortified open's entry points.
int __open_2(const char* path, int flags) {
  return open(path, flags);
}

int __open64_2(const char* path, int flags) {
  return open64(path, flags);
}

int ioctl(int fd, unsigned long request, ...) __THROW {
  va_list arguments;
  va_start(arguments, request);
  void* argument = va_arg(arguments, void*);
  va_end(arguments);
  if (standing()) {
    const int result = deviceIoctl(fd, request, argument);
    if (result <= 0) return result;
  }
  static auto* call = realCall<int(int, unsigned long, ...)>("ioctl");
  return call(fd, request, argument);
}

int close(int fd) {
  if (standing()) forget(fd);
  static auto* call = realCall<int(int)>("close");
  return call(fd);
}

}  // extern "C"
