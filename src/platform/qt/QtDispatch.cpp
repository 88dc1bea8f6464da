#include "platform/qt/QtDispatch.h"

#include <QThreadPool>

namespace balalaika::qt {

QtDispatch::QtDispatch() : mainContext_(std::make_unique<QObject>()) {}

QtDispatch::~QtDispatch() = default;

void QtDispatch::async(Task task) { QThreadPool::globalInstance()->start(std::move(task)); }

void QtDispatch::asyncMain(Task task) {
  QMetaObject::invokeMethod(mainContext_.get(), std::move(task), Qt::QueuedConnection);
}

}  // namespace balalaika::qt
