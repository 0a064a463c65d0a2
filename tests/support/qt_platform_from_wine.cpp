// Wine passes no QT_* variable on to a Windows program: under Wine the tests
// name Qt's platform in MOZARU_QT_QPA_PLATFORM, set here before main makes the
// application. (An argument would not do: the window reads the whole command
// line as the document's path.)
#include <cstdlib>

namespace {

const bool kPlatformSet = [] {
    const char* platform = std::getenv("MOZARU_QT_QPA_PLATFORM");
    return platform != nullptr && _putenv_s("QT_QPA_PLATFORM", platform) == 0;
}();

}  // namespace
