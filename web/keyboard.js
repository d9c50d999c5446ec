// The program's keyboard in its page: a text area laid over the canvas (#keys) holds the page's
// focus while the program is used, so that the browser has an editable place for an input
// method's composition, and hands every key to the program as the desktop's keyboard would.
// - Keys go on to the canvas, where the toolkit hears them; what the program does with a key,
//   the browser does not do (Tab moves within the program, Enter never goes into the area).
// - A key's own modifier is given as the desktop's window system gives it (Alt pressed: no Alt
//   yet; released: Alt still), which is what the toolkit expects: Alt alone then lights the menu
//   bar, and the arrows, Enter and Escape walk the menus.
// - An input method's composition is shown in the focused text box while it is typed, and the
//   text it commits is typed in there at the caret (Module._courseTyped), as is text that comes
//   without keys (a tablet's keyboard, dictation). The area stands at the box's caret, so the
//   input method's candidates show beside it.
// - A key that comes from elsewhere (the Tab that brought the focus here) is not the program's;
//   Escape then Tab leaves the program for the page.
'use strict';

// The modifier each modifier key sets, under the event's names.
const kOwnModifier = {Shift: 'shiftKey', Control: 'ctrlKey', Alt: 'altKey', Meta: 'metaKey'};

// keys: the text area; canvas: the program's; module: the running module, once it runs.
function takeKeys(keys, canvas) {
  let module = null;
  const down = new Set(); // the keys whose press the program had
  let pressed = false; // a key went to the program in this task: its text is the program's
  let escaped = false; // the last key was Escape: Tab now leaves

  const give = event => {
    const init = {key: event.key, code: event.code, location: event.location,
                  repeat: event.repeat, keyCode: event.keyCode, which: event.which,
                  charCode: event.charCode, bubbles: true, cancelable: true};
    for (const name of Object.values(kOwnModifier)) init[name] = event[name];
    const own = kOwnModifier[event.key];
    if (own) init[own] = event.type === 'keyup';
    return canvas.dispatchEvent(new KeyboardEvent(event.type, init));
  };
  const typed = (composing, committed) => {
    if (module) module.ccall('courseTyped', null, ['string', 'string'], [composing, committed]);
  };
  // Where the caret stands now; the program answers through caretAt.
  const followCaret = () => {
    if (module) module._courseFindCaret();
  };

  keys.addEventListener('keydown', event => {
    if (event.isComposing || event.keyCode === 229) return; // the input method's
    const leaving = escaped && event.key === 'Tab';
    if (!kOwnModifier[event.key]) escaped = event.key === 'Escape'; // Shift+Tab leaves too
    if (leaving) return;
    down.add(event.code);
    pressed = true;
    setTimeout(() => { pressed = false; });
    if (!give(event)) event.preventDefault();
  });
  keys.addEventListener('keyup', event => {
    if (!down.delete(event.code)) return;
    if (!give(event)) event.preventDefault();
    followCaret();
  });
  // Only a composition stays in the area; text that comes without keys is typed in.
  keys.addEventListener('beforeinput', event => {
    if (event.isComposing || event.inputType === 'insertCompositionText') return;
    event.preventDefault();
    if (event.inputType === 'insertText' && event.data && !pressed) typed('', event.data);
  });
  keys.addEventListener('compositionstart', followCaret);
  keys.addEventListener('compositionupdate', event => typed(event.data, ''));
  keys.addEventListener('compositionend', event => {
    typed('', event.data);
    // Emptied once the browser is done with the composition.
    setTimeout(() => { keys.value = ''; });
  });
  keys.addEventListener('input', event => {
    if (!event.isComposing) keys.value = '';
  });

  // The canvas never holds the focus itself: a press on it, or a focus that comes to it, gives
  // the focus to the area.
  canvas.tabIndex = -1;
  const focusKeys = () => keys.focus({preventScroll: true});
  canvas.addEventListener('pointerdown', focusKeys);
  canvas.addEventListener('focus', focusKeys);
  canvas.addEventListener('pointerup', followCaret);

  return {
    // The program runs: from now on it hears the keys, and tells where its caret stands.
    started(running) {
      module = running;
      module.caretAt = (x, y, height) => {
        keys.style.left = x + 'px';
        keys.style.top = y + 'px';
        keys.style.height = keys.style.fontSize = height + 'px';
      };
      followCaret();
    },
  };
}
