// Off Windows the string table is linked in from the same source as the resource script.
#include "app/resources/LauncherStrings.h"
#include "platform/StringResources.h"

namespace {

constexpr platform::StringResource kLauncherStrings[] = {
    {IDS_LAUNCH_FAILED, u"" IDS_LAUNCH_FAILED_TEXT},
};

const bool kRegistered = [] {
  platform::SetStringTable(kLauncherStrings, std::size(kLauncherStrings));
  return true;
}();

}  // namespace
