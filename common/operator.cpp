#include "common/operator.h"

namespace corvane {

Operator::~Operator() = default;

}  // namespace corvane
