#include "platform/config_copy_notice.h"

#include "platform/app_control.h"
#include "platform/config_copy.h"

namespace fathomer {

void noticeChangedShippedConfiguration(QWidget *parent, const QString &programFolder) {
    const QString text = takeConfigurationCopyNotice(programFolder);
    if (!text.isEmpty()) showNotice(parent, text);
}

}  // namespace fathomer
