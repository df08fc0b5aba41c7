// The program's seam to a learning platform (lms.h): where the page is a
// SCORM package's, make_scorm.py has put the report itself into it
// (resources/web/scorm_report.js); anywhere else there is nothing to call.
mergeInto(LibraryManager.library, {
  lms_open: function () {
    if (window.kestrovaLms) window.kestrovaLms.open();
  },
  lms_found: function (firm) {
    if (window.kestrovaLms) window.kestrovaLms.found(firm);
  },
});
