#pragma once

// The page's seam to a learning platform that launched it (SCORM 1.2):
// plain C functions that lms.js provides. Without a platform they do nothing.
extern "C" {

// Finds the platform's API, starts the session and reports what is kept.
void lms_open();
// The student has matched firm `firm` (0..9) with its country.
void lms_found(int firm);
}
