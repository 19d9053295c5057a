#pragma once
// Operates the modal dialog that the code under test is about to open: the action runs once
// the dialog is showing (inside its modal loop), then the test code after exec() goes on. The
// tests' name for the helper that the host's scripts use as well (platform/ModalWait.h):
//     auto ran = ModalDriver::WhenModal([](QWidget *w) { ModalDriver::Accept(w); });
#include "ModalWait.h"

namespace ModalDriver = ModalWait;
