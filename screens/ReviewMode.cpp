#include <QtGlobal>

#include "ReviewMode.h"

void SetReviewMode(bool review) {
    Q_UNUSED(review);
}
