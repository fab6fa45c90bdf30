// The environment every test executable starts in, set before main (and so
// before any application object): a private configuration home and ports
// directory, no default port table, the offscreen platform. A value set by
// the caller wins. Also the sanitizers' options that the suites need.
#include <cstdlib>

namespace {

struct TestEnvironment {
  TestEnvironment() {
    ::setenv("XDG_CONFIG_HOME", DAXO_TEST_HOME "/.config", 0);
    ::setenv("DAXO_PORT_DIR", DAXO_TEST_HOME "/ports", 0);
    ::setenv("DAXO_NO_DEFAULT_PORTS", "1", 0);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  }
} const environment;

}  // namespace

// Qt is not instrumented: ThreadSanitizer looks at our code's accesses only
// (otherwise it reports Qt's own thread pool, allocating and freeing).
extern "C" const char* __tsan_default_options() { return "ignore_noninstrumented_modules=1"; }

// Leaks whose whole stack lies inside Qt or the system libraries it loads,
// one "leak:<library>" line each, added when such a leak is seen. None is
// needed today.
extern "C" const char* __lsan_default_suppressions() { return ""; }
