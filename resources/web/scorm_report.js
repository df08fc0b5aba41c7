// The page's report to a learning platform that launched it as a SCORM 1.2
// package: the firms the student has matched as the score, and "completed"
// once all ten are. The platform's API is an object in a parent or opener
// window, called in place across frames: the page still connects nowhere.
// Without a platform, or with one that throws or refuses, the quiz is just
// as it is alone, and says nothing about it. make_scorm.py puts it into the
// package's copy of the page only; the program calls it through lms.js.
(function () {
  var Lms = {
    api: null,
    found: [],  // by firm: matched in this attempt, in this launch or before
    least: 0,   // the score the platform held at launch: never lowered
    done: false,
    // The standard's search: this window and up to seven above it, then
    // the same from the window that opened this one. A frame of another
    // origin refuses to be read; the search goes on past it.
    find: function (win) {
      for (var tries = 0; win && tries <= 7; tries++) {
        try {
          if (win.API && typeof win.API.LMSInitialize === 'function') return win.API;
        } catch (e) {}
        if (win.parent === win) break;
        win = win.parent;
      }
      return null;
    },
    // An API call's answer as a string ("true", "false", a value), or ''
    // where the API throws. A refusal is read back (LMSGetLastError) as
    // the standard asks; "not initialized" (301) means the platform has
    // ended the session, so the page stops talking to it. Every report
    // carries the whole state, so one refused makes the next one whole.
    call: function (name) {
      var api = Lms.api, answer = '';
      try {
        answer = String(api[name].apply(api, Array.prototype.slice.call(arguments, 1)));
        if (answer === 'false' && String(api['LMSGetLastError']()) === '301') Lms.api = null;
      } catch (e) {}
      return answer;
    },
    report: function () {
      var bits = '', count = 0;
      for (var i = 0; i < 10; i++) {
        bits += Lms.found[i] ? '1' : '0';
        if (Lms.found[i]) count++;
      }
      Lms.done = Lms.done || count === 10;
      Lms.call('LMSSetValue', 'cmi.suspend_data', bits);
      Lms.call('LMSSetValue', 'cmi.core.score.min', '0');
      Lms.call('LMSSetValue', 'cmi.core.score.max', '10');
      Lms.call('LMSSetValue', 'cmi.core.score.raw', String(Math.max(count, Lms.least)));
      Lms.call('LMSSetValue', 'cmi.core.lesson_status', Lms.done ? 'completed' : 'incomplete');
      // Unfinished, the attempt is to be resumed at the next launch.
      Lms.call('LMSSetValue', 'cmi.core.exit', Lms.done ? '' : 'suspend');
      Lms.call('LMSCommit', '');
    },
  };

  window.kestrovaLms = {
    open: function () {
      var opener = null;
      try { opener = window.opener; } catch (e) {}
      Lms.api = Lms.find(window) || Lms.find(opener);
      if (!Lms.api || Lms.call('LMSInitialize', '') !== 'true') {
        Lms.api = null;
        return;
      }
      // What an earlier launch of this attempt kept.
      var kept = Lms.call('LMSGetValue', 'cmi.suspend_data');
      if (/^[01]{10}$/.test(kept)) {
        for (var i = 0; i < 10; i++) Lms.found[i] = kept.charAt(i) === '1';
      }
      Lms.least = Math.min(parseFloat(Lms.call('LMSGetValue', 'cmi.core.score.raw')) || 0, 10);
      Lms.done = /^(completed|passed)$/.test(Lms.call('LMSGetValue', 'cmi.core.lesson_status'));
      Lms.report();
      // The tab closed, the platform moving on, a phone's app put away.
      window.addEventListener('pagehide', function () {
        if (Lms.api) Lms.call('LMSFinish', '');
        Lms.api = null;
      });
    },

    found: function (firm) {
      if (!Lms.api || Lms.found[firm]) return;
      Lms.found[firm] = true;
      Lms.report();
    }
  };
})();
