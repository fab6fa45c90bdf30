// A virtual module stored as the port of the last run: a window built now
// opens it at start, without a dialog.
#pragma once

#include "virtual_module.h"
#include "window_environment.h"

struct StoredModule {
  WindowEnvironment env;
  VirtualModule module;
  explicit StoredModule(const ModuleOptions& options = {}) : module(options) {
    env.Register("COM1", module.PortPath());
    env.Store("COM1");
  }
};
