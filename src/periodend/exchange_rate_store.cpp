#include "periodend/exchange_rate_store.h"

namespace qj::periodend {

bool StorePeriodEndRate(data::Connection& db, int moneyId, Money rate) {
  return db.execute("UPDATE Currency SET RATE=:rate WHERE MONEYID=:id AND MONEYID>0 AND MONEYID<99",
                    {{"rate", rate}, {"id", moneyId}}) == 1;
}

}  // namespace qj::periodend
