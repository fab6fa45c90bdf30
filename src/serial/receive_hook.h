#pragma once

// A receive hook: a plain function called on a port's receive thread once
// per chunk. `data` holds `count` received bytes followed by one zero byte;
// it is valid only during the call.
using ReceiveHook = void (*)(const char* data, int count);
