#pragma once

// Switches both answering screens between exam mode (false) and review mode (true). Review mode also closes both
// screens and shows a new score sheet modally; the call returns when the sheet has closed.
void SetReviewMode(bool review);
