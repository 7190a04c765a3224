// Demonstration data for a book, the same for the same seed: a chart grown
// below the book's level-1 subjects (cash and bank accounts, foreign-currency
// accounts in several currencies) and balanced vouchers in the current period.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "data/connection.h"
#include "hostapi/account_books_data.h"
#include "vouchers/voucher_draft.h"

namespace qj::vouchers {

// The generator behind all demo data: mt19937_64's sequence is fixed by the
// standard, and values are drawn from it without distribution objects (whose
// results differ between standard libraries).
class DemoRandom {
 public:
  explicit DemoRandom(std::uint64_t seed) : engine_(seed) {}
  // 0 <= value < bound.
  std::uint64_t below(std::uint64_t bound) { return engine_() % bound; }
  bool chance(int percent) { return below(100) < static_cast<std::uint64_t>(percent); }

 private:
  std::mt19937_64 engine_;
};

// Adds the demo currencies that are missing, then sub-accounts through the
// chart's own add rules until the chart holds `totalSubjects` subjects, no
// deeper than `levels`. One transaction; the number of subjects added.
int AddDemoChart(data::Connection& db, const AccountBooksData& account, const CashBankSubjects& cashBank,
                 DemoRandom& random, int totalSubjects, int levels);

// `count` balanced vouchers of 2 to 8 lines dated in the current period, over
// the book's detail subjects; at most one cash or bank line each, so that a
// type of the book's scheme always fits.
std::vector<VoucherDraft> DemoVouchers(data::Connection& db, const DraftBook& book, DemoRandom& random, int count);

}  // namespace qj::vouchers
