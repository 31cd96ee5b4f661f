#include "platform/app/Guarded.h"

#include "platform/app/Application.h"

namespace platform {

void ReportHandlerException(std::exception_ptr error) {
    Application::Instance().ShowException(error);
}

} // namespace platform
