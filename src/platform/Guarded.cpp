#include "platform/Guarded.h"

#include "platform/Application.h"

namespace platform {

void ReportHandlerException(std::exception_ptr error) {
    Application::Instance().ShowException(error);
}

} // namespace platform
