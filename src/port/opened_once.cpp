#include "port/opened_once.h"

namespace kalmar {

PortOpenResult OpenedOnce::open() {
  if (device_) return {nullptr, true, {}, {}, {}};
  PortOpenResult result = opener_();
  device_ = result.port ? std::move(result.port) : std::make_unique<NonePort>();
  return result;
}

PortIo& OpenedOnce::device() {
  if (!device_) open();
  return *device_;
}

}  // namespace kalmar
