#include <optional>

#include "diskops/DiskOps.h"
#include "platform/Mbcs.h"
#include "platform/Services.h"

void CDiskOps::ClearErrorText() { m_errorText.clear(); }

void CDiskOps::SetSystemErrorText(std::uint32_t code, const std::string& subject) {
  const std::optional<std::string> message = platform::CurrentServices().FormatSystemMessage(code);
  // Without a system text the code itself still tells what failed.
  m_errorText = message ? *message : "System error " + std::to_string(code);
  platform::TrimWhiteSpace(m_errorText);
  if (!subject.empty()) {
    m_errorText += ' ';
    m_errorText += subject;
  }
  ShowFeedback(m_errorText);
}

void CDiskOps::SetInternalErrorText() {
  m_errorText = kInternalErrorText;
  ShowFeedback(m_errorText);
}

void CDiskOps::ShowFeedback(const std::string& text) {
  if (m_feedbackWnd != nullptr) m_feedbackWnd->SetWindowText(text);
}
