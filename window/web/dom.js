// The DOM side of the page: creates and reads elements for the C++ front
// end, and hands Clicks and the viewport's size back to it. Holds no quiz
// knowledge and no layout rule: places, bands and sizes all come from C++.
mergeInto(LibraryManager.library, {
  $Dom: {
    parts: [],  // by control: {box: what is placed, input: what holds the state}
    live: [],   // two polite regions, spoken in turn
    breaks: [], // by touch band: what ends its line
    spoken: 0,
    text: function (ptr, length) {
      var s = '';
      for (var i = 0; i < length; i += 4096) {
        s += String.fromCharCode.apply(null, HEAPU16.subarray((ptr >> 1) + i, (ptr >> 1) + Math.min(length, i + 4096)));
      }
      return s;
    },
    write: function (s, ptr) {
      for (var i = 0; i < s.length; i++) HEAPU16[(ptr >> 1) + i] = s.charCodeAt(i);
    },
    rgb: function (rgb) {
      return 'rgb(' + (rgb >> 16 & 255) + ',' + (rgb >> 8 & 255) + ',' + (rgb & 255) + ')';
    },
    root: function () { return document.getElementById('kestrova'); },
    size: function (style, left, top, width, height) {
      style.left = left;
      style.top = top;
      style.width = width;
      style.height = height;
    },
  },

  dom_page__deps: ['$Dom'],
  dom_page: function (title, titleLength, rgb, face, faceLength) {
    document.title = Dom.text(title, titleLength);
    var root = Dom.root(), message = root.getElementsByTagName('p')[0];
    // The page's word that it cannot run, no longer true.
    if (message) root.removeChild(message);
    root.style.background = Dom.rgb(rgb);
    // A metric twin where the face itself is missing.
    root.style.fontFamily = '"' + Dom.text(face, faceLength) + '", "Liberation Serif", Tinos, serif';
    // A screen reader takes a change of a live region's text as news, but
    // may drop the same words twice in one region; the page's two regions in
    // turn make every announcement a change (dom_announce keeps them apart).
    Dom.live = [].slice.call(root.querySelectorAll('.announce'));
    Dom.breaks = [].slice.call(root.querySelectorAll('.break'));
  },

  dom_create__deps: ['$Dom'],
  dom_create: function (control, tag, tagLength, id, idLength, group, groupLength) {
    var kind = Dom.text(tag, tagLength), written = document.getElementById(Dom.text(id, idLength));
    if (written) {
      Dom.parts[control] = {box: kind === 'label' ? written.parentNode : written, input: written, kind: kind};
      return 1;
    }
    var box = document.createElement(kind), input = box;
    box.id = Dom.text(id, idLength);
    if (kind === 'fieldset') box.appendChild(document.createElement('legend'));
    if (kind === 'label') {
      input = document.createElement('input');
      input.type = 'radio';
      input.name = Dom.text(group, groupLength);
      box.appendChild(input);
      box.appendChild(document.createElement('span'));
      box.removeAttribute('id');
      input.id = Dom.text(id, idLength);
    }
    if (kind === 'button') box.type = 'button';
    if (kind === 'textarea') box.readOnly = true;
    Dom.parts[control] = {box: box, input: input, kind: kind};
    return 0;
  },

  dom_append__deps: ['$Dom'],
  dom_append: function (control, parent) {
    var box = Dom.parts[control].box, into = parent < 0 ? Dom.root() : Dom.parts[parent].box;
    // Moving an element would take the focus from it.
    if (box.parentNode !== into) into.appendChild(box);
  },

  dom_present_exact__deps: ['$Dom'],
  dom_present_exact: function (left, top, width, height, fontPixels100, line, indicator) {
    var root = Dom.root(), style = root.style;
    root.className = 'exact';
    Dom.size(style, left + 'px', top + 'px', width + 'px', height + 'px');
    style.fontSize = fontPixels100 / 100 + 'px';
    style.setProperty('--line', line + 'px');
    style.setProperty('--indicator', indicator + 'px');
  },

  dom_option_circle__deps: ['$Dom'],
  dom_option_circle: function (size, ring, left, gap, dotInset) {
    var style = Dom.root().style;
    style.setProperty('--indicator', size + 'px');
    style.setProperty('--ring', ring + 'px');
    style.setProperty('--circle-left', left + 'px');
    style.setProperty('--caption-gap', gap + 'px');
    style.setProperty('--dot-inset', dotInset + 'px');
  },

  dom_place__deps: ['$Dom'],
  dom_place: function (control, left, top, width, height) {
    var style = Dom.parts[control].box.style;
    Dom.size(style, left + 'px', top + 'px', width + 'px', height + 'px');
    style.order = style.flex = '';
  },

  dom_present_touch__deps: ['$Dom'],
  dom_present_touch: function (fontPixels, target, indicator, line) {
    var root = Dom.root(), style = root.style;
    root.className = 'touch';
    Dom.size(style, '', '', '', '');
    // The reader's own text size where it is larger (1rem is theirs); where
    // max() is unknown, theirs scaled as the form's is to the usual 16 px.
    style.fontSize = fontPixels / 16 + 'rem';
    style.fontSize = 'max(' + fontPixels + 'px, ' + fontPixels / 16 + 'rem)';
    style.setProperty('--target', target + 'px');
    style.setProperty('--indicator', indicator + 'px');
    style.setProperty('--line', line + 'px');
    Dom.parts.forEach(function (part) { Dom.size(part.box.style, '', '', '', ''); });
  },

  dom_flow__deps: ['$Dom'],
  dom_flow: function (control, band, wholeWidth, widthInEms1000) {
    var style = Dom.parts[control].box.style;
    if (!Dom.breaks[band]) {
      var end = Dom.breaks[band] = document.createElement('div');
      end.className = 'break';
      end.style.order = 2 * band + 1;
      Dom.root().appendChild(end);
    }
    style.order = 2 * band;
    style.flex = wholeWidth ? '1 1 100%' : '1 1 ' + widthInEms1000 / 1000 + 'em';
  },

  dom_fit__deps: ['$Dom'],
  dom_fit: function (control) {
    var box = Dom.parts[control].box, style = getComputedStyle(box);
    var borders = parseFloat(style.borderTopWidth) + parseFloat(style.borderBottomWidth);
    box.style.height = 'auto';
    box.style.height = box.scrollHeight + borders + 'px';
    // The page's scroll bar may come or go with the new height, and the
    // lines wrap again in the width it leaves: measured once more there.
    if (box.scrollHeight > box.clientHeight) box.style.height = box.scrollHeight + borders + 'px';
  },

  dom_reveal__deps: ['$Dom'],
  dom_reveal: function (control) { Dom.parts[control].box.scrollIntoView({block: 'nearest'}); },

  dom_colour__deps: ['$Dom'],
  dom_colour: function (control, rgb) { Dom.parts[control].box.style.background = Dom.rgb(rgb); },

  dom_stack__deps: ['$Dom'],
  dom_stack: function (control, depth) { Dom.parts[control].box.style.zIndex = depth; },

  dom_set_text__deps: ['$Dom'],
  dom_set_text: function (control, ptr, length) {
    var part = Dom.parts[control], text = Dom.text(ptr, length);
    if (part.kind === 'textarea') {
      // From the top, as a freshly written box is read.
      part.box.value = text;
      part.box.setSelectionRange(0, 0);
      part.box.scrollTop = 0;
    }
    else if (part.kind === 'fieldset') part.box.firstChild.textContent = text;
    else if (part.kind === 'label') part.box.lastChild.textContent = text;
    else part.box.textContent = text;
  },

  dom_add_item__deps: ['$Dom'],
  dom_add_item: function (control, ptr, length) {
    // The value keeps the text exactly; an option's own text folds blanks.
    var text = Dom.text(ptr, length);
    Dom.parts[control].box.appendChild(new Option(text, text));
  },

  dom_name__deps: ['$Dom'],
  dom_name: function (control, ptr, length) { Dom.parts[control].input.setAttribute('aria-label', Dom.text(ptr, length)); },

  dom_hide__deps: ['$Dom'],
  dom_hide: function (control) { Dom.parts[control].box.hidden = true; },

  dom_listen__deps: ['$Dom'],
  dom_listen: function (control, context) {
    var part = Dom.parts[control];
    // A radio's change fires only as it becomes checked, by mouse or keys.
    part.input.addEventListener(part.kind === 'label' ? 'change' : 'click', function () {
      _kestrova_click(context, control);
    });
  },

  dom_watch_viewport: function (context) {
    // A browser that knows no pointer media feature has a mouse.
    var finger = window.matchMedia ? window.matchMedia('(pointer: coarse)') : null;
    var report = function () {
      _kestrova_resize(context, window.innerWidth, window.innerHeight, finger && finger.matches ? 1 : 0);
    };
    window.addEventListener('resize', report);
    // A tablet docked to a keyboard with a touchpad, or undocked.
    if (finger && finger.addEventListener) finger.addEventListener('change', report);
    else if (finger && finger.addListener) finger.addListener(report);
    report();
  },

  dom_is_checked__deps: ['$Dom'],
  dom_is_checked: function (control) { return Dom.parts[control].input.checked ? 1 : 0; },

  dom_uncheck__deps: ['$Dom'],
  dom_uncheck: function (control) { Dom.parts[control].input.checked = false; },

  dom_text_length__deps: ['$Dom'],
  dom_text_length: function (control) { return Dom.parts[control].box.value.length; },

  dom_copy_text__deps: ['$Dom'],
  dom_copy_text: function (control, out) { Dom.write(Dom.parts[control].box.value, out); },

  dom_item_length__deps: ['$Dom'],
  dom_item_length: function (control, item) {
    var option = Dom.parts[control].box.options[item];
    return option ? option.value.length : -1;
  },

  dom_copy_item__deps: ['$Dom'],
  dom_copy_item: function (control, item, out) { Dom.write(Dom.parts[control].box.options[item].value, out); },

  dom_focus_taken: function () {
    var focused = document.activeElement;
    return focused && focused !== document.body && Dom.root().contains(focused) ? 1 : 0;
  },

  dom_replay_early__deps: ['$Dom'],
  dom_replay_early: function (context) {
    var root = Dom.root(), early = root.early || [];
    root.early = null;
    var number = function (element) {
      for (var i = 0; i < Dom.parts.length; i++) if (Dom.parts[i] && Dom.parts[i].input === element) return i;
      return -1;
    };
    // The program has unchecked every option as it started; each choice is
    // made again, in turn with the commands.
    early.forEach(function (element) {
      var control = number(element);
      if (control < 0) return;
      // Checked again: a «Чисти» replayed before it has unchecked it too.
      if (element.type === 'radio') element.checked = true;
      _kestrova_click(context, control);
    });
  },

  dom_focus__deps: ['$Dom'],
  dom_focus: function (control) {
    var x = window.pageXOffset, y = window.pageYOffset;
    Dom.parts[control].input.focus({preventScroll: true});
    // Engines that know no preventScroll have scrolled: back.
    if (window.pageXOffset !== x || window.pageYOffset !== y) window.scrollTo(x, y);
  },

  dom_announce__deps: ['$Dom'],
  dom_announce: function (ptr, length) {
    var now = Dom.live[Dom.spoken++ % 2], before = Dom.live[Dom.spoken % 2];
    before.textContent = '';
    // Orca drops a live region's new text when it equals the last one's,
    // whichever region said it; the second region's ends in a no-break
    // space, which is not heard, so the same words twice still differ.
    now.textContent = Dom.text(ptr, length) + (now === Dom.live[1] ? '\u00a0' : '');
  },
});
