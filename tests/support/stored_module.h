// A virtual module stored as the port of the last run: a window built now
// opens it at start, without a dialog. WindowWithModule is the fixture of
// the page tests; the option helpers name the modules they use.
#pragma once

#include <gtest/gtest.h>

#include "tform1.h"
#include "ui_tform1.h"
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

class WindowWithModule : public ::testing::Test {
 protected:
  explicit WindowWithModule(const ModuleOptions& options = {}) : setup_(options) {}
  StoredModule setup_;
  VirtualModule& module_ = setup_.module;
  TForm1 form_;
  Ui::TForm1& ui_ = *form_.ui;
};

inline ModuleOptions TransmitOnlyModule() {
  ModuleOptions o;
  o.type = ModuleOptions::Type::TS;
  return o;
}

// A module that never echoes its n-th command (0: none of them).
inline ModuleOptions SilentAt(int command) {
  ModuleOptions o;
  o.echo = false;
  o.faultOnly = command;
  return o;
}
