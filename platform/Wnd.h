// The framework's window class, as far as a progress window needs it.
#pragma once

#include <string>

#include "platform/Services.h"

class CWnd {
 public:
  explicit CWnd(platform::WindowHandle handle = nullptr) : m_hWnd(handle) {}
  virtual ~CWnd() = default;

  void SetWindowText(const std::string& text) {
    platform::CurrentServices().SetWindowTextA(m_hWnd, text);
  }

  platform::WindowHandle m_hWnd;
};
