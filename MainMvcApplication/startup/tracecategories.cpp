#include "tracecategories.h"

Q_LOGGING_CATEGORY(lcPolling, "hx.polling", QtInfoMsg)
Q_LOGGING_CATEGORY(lcLiveValues, "hx.polling.live", QtInfoMsg)
Q_LOGGING_CATEGORY(lcWrites, "hx.writes", QtInfoMsg)
Q_LOGGING_CATEGORY(lcTransfer, "hx.transfer", QtInfoMsg)
Q_LOGGING_CATEGORY(lcStartup, "hx.startup", QtInfoMsg)
