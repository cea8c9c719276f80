#include "platform/Services.h"

namespace platform {
namespace {
Services* g_current = nullptr;
}  // namespace

Services& CurrentServices() { return g_current ? *g_current : RealServices(); }

ScopedServices::ScopedServices(Services& services) : previous_(g_current) { g_current = &services; }

ScopedServices::~ScopedServices() { g_current = previous_; }

}  // namespace platform
