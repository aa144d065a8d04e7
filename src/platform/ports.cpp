#include "platform/ports.h"

namespace corvisant {
namespace {
Ports installed;
}  // namespace

Ports& CurrentPorts() { return installed; }

Ports InstallPorts(const Ports& ports) {
  Ports previous = installed;
  installed = ports;
  return previous;
}

}  // namespace corvisant
