// The page around the game: it lays the picture out on any screen, gives touch screens the keys
// the game needs, loads the program after checking its files, and keeps the site for playing with
// no network.
'use strict';
(function () {
  var WIDTH = 800, HEIGHT = 600;
  // Room for the corner switch in a desktop's margin.
  var CORNER = 40;
  // The on-screen keys: a side of at least a fingertip, the gap between keys and to the edges.
  var CELL_MIN = 48, CELL_MAX = 64, GAP = 6, EDGE = 6;
  // A held arrow repeats as a held key does.
  var REPEAT_DELAY_MS = 500, REPEAT_EVERY_MS = 50;
  var KEY_CODES = { ArrowLeft: 37, ArrowUp: 38, ArrowRight: 39, ArrowDown: 40, Enter: 13, Escape: 27, F2: 113, S: 83,
                    H: 72, O: 79 };
  // Where each key sits in its group, in cells: column, row, and how many cells it spans. The hint
  // and the settings (O on the title) take the free top corners of the arrows.
  var ARROWS = { ArrowUp: [1, 0, 1, 1], ArrowLeft: [0, 1, 1, 1], ArrowRight: [2, 1, 1, 1], ArrowDown: [1, 2, 1, 1],
                 H: [2, 0, 1, 1], O: [0, 0, 1, 1] };
  // F2 abandons the game for a new one; S on the title shows the statistics.
  var ACTIONS = { F2: [0, 0, 1, 1], S: [1, 0, 1, 1], Escape: [0, 1, 1, 1], Mute: [1, 1, 1, 1], Enter: [0, 2, 2, 2] };
  var ACTION_ROWS = 4;
  var SHARE_WIDTH = 96;
  var INCOMPLETE = ' The site is incomplete: reload the page, and if this stays, tell whoever runs the site.';

  var canvas = document.getElementById('canvas');
  var muteButton = document.getElementById('mute');
  var shareButton = document.getElementById('share');
  var licences = document.getElementById('licences');
  var progress = document.getElementById('progress');
  var statusText = document.getElementById('status');
  var bar = document.querySelector('#bar div');
  var safe = document.getElementById('safe');
  var keyButtons = Array.prototype.slice.call(document.querySelectorAll('#pad button'));
  var coarse = window.matchMedia ? window.matchMedia('(pointer: coarse)') : { matches: false };
  var touched = false, failed = false;

  // The URL's options are the command line's: ?seed=N, ?autoplay&mode=N&extra, ?daily (today's
  // deal, or ?daily=YYYY-MM-DD that day's); a daily result names this page with ?daily.
  function argumentsFromUrl(search) {
    var query = new URLSearchParams(search), args = [];
    var seed = query.get('seed'), mode = query.get('mode'), daily = query.get('daily');
    if (seed !== null && /^\d{1,19}$/.test(seed)) args.push('--seed', seed);
    if (query.has('autoplay')) args.push('--autoplay');
    args.push('--narrate');
    if (mode !== null && /^[0-3]$/.test(mode)) args.push('--mode', mode);
    if (query.has('extra')) args.push('--extra');
    var opponents = query.get('opponents');
    if (opponents !== null && /^(weak|standard|strong)$/.test(opponents)) args.push('--opponents', opponents);
    var pace = query.get('pace');
    if (pace !== null && /^(100|50|25)$/.test(pace)) args.push('--pace', pace);
    if (query.has('colour-marks')) args.push('--colour-marks');
    if (daily !== null) {
      args.push.apply(args, /^\d{4}-\d{2}-\d{2}$/.test(daily) ? ['--daily-date', daily] : ['--daily']);
      args.push('--share-address', window.location.origin + window.location.pathname + '?daily');
    }
    return args;
  }

  // ---- Layout ----

  function insets() {
    var style = getComputedStyle(safe);
    return {
      top: parseFloat(style.paddingTop) || 0, right: parseFloat(style.paddingRight) || 0,
      bottom: parseFloat(style.paddingBottom) || 0, left: parseFloat(style.paddingLeft) || 0,
    };
  }

  // Device pixels per picture pixel: a whole factor, crisp, where one fills 95 % of the space;
  // otherwise the exact fit.
  function pictureFit(space, ratio) {
    var fit = Math.min(space.width * ratio / WIDTH, space.height * ratio / HEIGHT);
    var whole = Math.floor(fit);
    return whole >= 1 && whole >= 0.95 * fit ? whole : fit;
  }

  // The picture centred in the space, on whole device pixels.
  function pictureBox(space, fit, ratio) {
    var width = WIDTH * fit / ratio, height = HEIGHT * fit / ratio;
    return {
      left: space.left + Math.max(0, Math.floor((space.width - width) * ratio / 2)) / ratio,
      top: space.top + Math.max(0, Math.floor((space.height - height) * ratio / 2)) / ratio,
      width: width, height: height,
    };
  }

  function shrink(box, left, top, right, bottom) {
    return { left: box.left + left, top: box.top + top, width: box.width - left - right,
             height: box.height - top - bottom };
  }

  function place(element, box) {
    element.style.left = box.left + 'px';
    element.style.top = box.top + 'px';
    element.style.width = box.width + 'px';
    element.style.height = box.height + 'px';
  }

  // Places a group of keys with its top left cell at (left, top).
  function placeGroup(group, left, top, cell) {
    Object.keys(group).forEach(function (key) {
      var at = group[key], button = key === 'Mute' ? muteButton : document.querySelector('[data-key=' + key + ']');
      place(button, { left: left + at[0] * (cell + GAP), top: top + at[1] * (cell + GAP),
                      width: at[2] * cell + (at[2] - 1) * GAP, height: at[3] * cell + (at[3] - 1) * GAP });
      button.style.display = 'flex';
    });
  }

  // The keys below the picture when the screen stands upright, beside it when it lies: arrows on
  // the left, 決定 and 戻る on the right, where the thumbs are. Returns the space left to the picture.
  function placeKeys(area) {
    function height(rows, cell) { return rows * cell + (rows - 1) * GAP; }
    if (area.height >= area.width) {
      var cell = Math.max(CELL_MIN, Math.min(CELL_MAX, Math.floor((area.width - 2 * EDGE - 5 * GAP) / 5)));
      var bottom = area.top + area.height - EDGE;
      placeGroup(ARROWS, area.left + EDGE, bottom - height(3, cell), cell);
      placeGroup(ACTIONS, area.left + area.width - EDGE - 2 * cell - GAP, bottom - height(ACTION_ROWS, cell), cell);
      return shrink(area, 0, 0, 0, height(ACTION_ROWS, cell) + 2 * EDGE);
    }
    var side = 3 * CELL_MIN + 2 * GAP + 2 * EDGE, low = area.top + area.height - EDGE;
    placeGroup(ARROWS, area.left + EDGE, Math.max(area.top + EDGE, low - height(3, CELL_MIN)), CELL_MIN);
    placeGroup(ACTIONS, area.left + area.width - side + (side - 2 * CELL_MIN - GAP) / 2,
               Math.max(area.top + EDGE, low - height(ACTION_ROWS, CELL_MIN)), CELL_MIN);
    return shrink(area, side, 0, side, 0);
  }

  function touchControls() {
    return touched || coarse.matches;
  }

  function layout() {
    var ratio = window.devicePixelRatio || 1;
    var inset = insets();
    var area = shrink({ left: 0, top: 0, width: window.innerWidth, height: window.innerHeight },
                      inset.left, inset.top, inset.right, inset.bottom);
    var touch = touchControls();
    keyButtons.forEach(function (button) { button.style.display = touch ? 'flex' : 'none'; });
    var space = touch ? placeKeys(area) : area;
    var fit = pictureFit(space, ratio);
    var box = pictureBox(space, fit, ratio);
    var margin = Math.max(box.left - area.left, box.top - area.top);
    if (!touch && margin < CORNER && fit !== Math.floor(fit)) {
      // A picture that fits exactly leaves no room for the corner switch: a whole factor beside the
      // switch's room is crisper, and shows the switch.
      var narrower = shrink(space, CORNER, 0, CORNER, 0), shorter = shrink(space, 0, CORNER, 0, CORNER);
      var roomy = pictureFit(narrower, ratio) >= pictureFit(shorter, ratio) ? narrower : shorter;
      if (pictureFit(roomy, ratio) === Math.floor(pictureFit(roomy, ratio))) {
        fit = pictureFit(roomy, ratio);
        box = pictureBox(roomy, fit, ratio);
        margin = Math.max(box.left - area.left, box.top - area.top);
      }
    }
    place(canvas, box);
    place(shareButton, { left: box.left + box.width - SHARE_WIDTH - 8, top: box.top + 8, width: SHARE_WIDTH, height: 32 });
    // Below two device pixels a picture pixel, nearest neighbours would draw lines of uneven width.
    canvas.classList.toggle('smooth', fit !== Math.floor(fit) && fit < 2);
    if (!touch) {
      muteButton.style.display = margin >= CORNER ? 'flex' : 'none';
      place(muteButton, { left: area.left + area.width - 36, top: area.top + 4, width: 32, height: 32 });
    }
    var corner = touch ? box.top - area.top >= 24 : margin >= CORNER;
    licences.style.display = corner ? 'block' : 'none';
    licences.style.right = (inset.right + 6) + 'px';
    licences.style.top = touch ? (inset.top + 4) + 'px' : '';
    licences.style.bottom = touch ? '' : (inset.bottom + 4) + 'px';
  }

  // ---- Keys ----

  var muted = false;
  try { muted = window.localStorage.getItem('pakaponta.muted') === '1'; } catch (e) { }
  // A speaker, with sound waves while the sound is on and a cross while it is off.
  var SPEAKER = '<svg viewBox="0 0 24 24" width="20" height="20" fill="none" stroke="currentColor" ' +
    'stroke-width="2" stroke-linecap="round" stroke-linejoin="round"><path d="M4 9h4l5-4v14l-5-4H4z"/>';
  function showMute() {
    muteButton.innerHTML = SPEAKER + (muted ? '<path d="M17 9l5 6M22 9l-5 6"/></svg>'
                                            : '<path d="M17 9a4 4 0 0 1 0 6M19.5 6.5a8 8 0 0 1 0 11"/></svg>');
    muteButton.setAttribute('aria-pressed', String(muted));
  }
  function toggleMute() {
    muted = !muted;
    Module.muted = muted;
    if (Module.pakaSound) Module.pakaSound.setMuted(muted);
    try { window.localStorage.setItem('pakaponta.muted', muted ? '1' : '0'); } catch (e) { }
    showMute();
  }
  muteButton.addEventListener('click', function () { toggleMute(); if (!touchControls()) canvas.focus(); });

  // ---- Share ----

  // The daily result, offered while its table shows: the system's share sheet where there is one,
  // else the clipboard.
  var shareLine = '';
  function offerShare(line) {
    shareLine = line;
    shareButton.textContent = 'Share';
    shareButton.style.display = line ? 'flex' : 'none';
  }
  function share() {
    var line = shareLine;
    if (navigator.share) {
      navigator.share({ text: line }).catch(function () { });
    } else if (navigator.clipboard && navigator.clipboard.writeText) {
      navigator.clipboard.writeText(line).then(function () { if (shareLine === line) shareButton.textContent = 'Copied'; },
                                               function () { window.prompt('Copy this line', line); });
    } else {
      window.prompt('Copy this line', line);
    }
    if (!touchControls()) canvas.focus();
  }
  shareButton.addEventListener('click', share);

  function press(code) {
    if (Module.pakapontaKey) Module.pakapontaKey(code);
  }

  // A key sends its code when the finger lands; an arrow held down repeats.
  keyButtons.forEach(function (button) {
    var code = KEY_CODES[button.getAttribute('data-key')], repeat = 0;
    var arrow = code >= 37 && code <= 40;
    function release() {
      clearTimeout(repeat);
      clearInterval(repeat);
      repeat = 0;
      button.classList.remove('held');
    }
    button.addEventListener('pointerdown', function (event) {
      event.preventDefault();
      release();
      button.classList.add('held');
      press(code);
      if (arrow) {
        repeat = setTimeout(function () { repeat = setInterval(press, REPEAT_EVERY_MS, code); }, REPEAT_DELAY_MS);
      }
    });
    ['pointerup', 'pointercancel', 'lostpointercapture'].forEach(function (type) {
      button.addEventListener(type, release);
    });
    window.addEventListener('blur', release);
    // Assistive tools press a button with no pointer at all.
    button.addEventListener('click', function (event) { if (event.detail === 0) press(code); });
  });

  // Keys the game takes must not scroll the page; M mutes even when the switch is hidden.
  var GAME_KEYS = ['ArrowLeft', 'ArrowUp', 'ArrowRight', 'ArrowDown', 'Enter', ' ', 'Spacebar',
    'Escape', 'Backspace', 'PageUp', 'PageDown', 'Home', 'End'];
  window.addEventListener('keydown', function (event) {
    if (event.ctrlKey || event.altKey || event.metaKey) return;
    if (event.key === 'm' || event.key === 'M') {
      if (!event.repeat) toggleMute();
    } else if (GAME_KEYS.indexOf(event.key) >= 0 || /^Numpad/.test(event.code)) {
      event.preventDefault();
    }
  });
  // The first touch brings the on-screen keys, on a screen that also has a mouse: once the touch
  // has reached the picture where the player saw it.
  window.addEventListener('touchend', function () {
    if (!touched) {
      touched = true;
      setTimeout(layout, 0);
    }
  }, { capture: true, passive: true });
  canvas.addEventListener('contextmenu', function (event) { event.preventDefault(); });
  canvas.addEventListener('mousedown', function () { canvas.focus(); });
  // A pinch or a double tap would zoom the page out of its layout.
  ['gesturestart', 'dblclick'].forEach(function (type) {
    document.addEventListener(type, function (event) { event.preventDefault(); });
  });
  window.addEventListener('resize', layout);
  window.addEventListener('orientationchange', layout);
  if (window.visualViewport) window.visualViewport.addEventListener('resize', layout);

  // ---- Messages ----

  function setStatus(text) {
    if (failed) return;
    // "Downloading data... (12345/67890)" while the files come in; empty once the game runs.
    var parts = /\((\d+(?:\.\d+)?)\/(\d+)\)/.exec(text || '');
    if (parts) bar.style.width = (100 * Number(parts[1]) / Number(parts[2])) + '%';
    if (text) {
      statusText.textContent = text.replace(/\s*\(.*\)$/, '');
    } else {
      progress.style.display = 'none';
    }
  }
  // The first failure is the one to tell: what follows from it would only hide it.
  function fail(text, heading) {
    if (failed) return;
    failed = true;
    progress.style.display = 'block';
    bar.parentNode.style.display = 'none';
    statusText.textContent = text;
    if (heading) {
      var title = document.createElement('h1');
      title.textContent = heading;
      progress.insertBefore(title, statusText);
    }
    releaseWakeLock();
  }

  // ---- Words for screen readers ----

  // The program says what changes as it changes; the live region keeps the last lines, so that a
  // screen reader can also go back over them.
  var narration = document.getElementById('narration');
  function narrate(line) {
    var said = document.createElement('p');
    said.textContent = line;
    narration.appendChild(said);
    while (narration.childNodes.length > 40) narration.removeChild(narration.firstChild);
  }

  // A player who quit by mistake, on a phone above all, gets the game back with one tap.
  function ended() {
    fail('The game has ended.');
    var again = document.createElement('button');
    again.id = 'again';
    again.type = 'button';
    again.textContent = 'もう一度遊ぶ (Play again)';
    again.addEventListener('click', function () { window.location.reload(); });
    progress.appendChild(again);
    again.focus();
  }

  // ---- Keeping the screen on while a game runs ----

  var wakeLock = null, running = false;
  function keepAwake() {
    if (!running || wakeLock || !navigator.wakeLock || document.visibilityState !== 'visible') return;
    wakeLock = navigator.wakeLock.request('screen').then(function (lock) {
      lock.addEventListener('release', function () { wakeLock = null; });
      return lock;
    }, function () { wakeLock = null; });
  }
  function releaseWakeLock() {
    running = false;
    if (wakeLock) wakeLock.then(function (lock) { if (lock) lock.release(); });
  }
  document.addEventListener('visibilitychange', keepAwake);

  // ---- Loading ----

  // A tiny module that uses a SIMD instruction: the program needs them.
  var SIMD_PROBE = new Uint8Array([0, 97, 115, 109, 1, 0, 0, 0, 1, 5, 1, 96, 0, 1, 123, 3, 2, 1, 0, 10, 10, 1, 8,
                                   0, 65, 0, 253, 15, 253, 98, 11]);
  function webAssemblyRuns() {
    try {
      return typeof WebAssembly === 'object' && WebAssembly.validate(SIMD_PROBE);
    } catch (e) {
      return false;
    }
  }

  function LoadError(text) { this.text = text; }

  function fetchFile(name) {
    return fetch(name, { cache: 'no-cache' }).then(function (response) {
      if (response.status === 404) throw new LoadError(name + ' is missing from the site.' + INCOMPLETE);
      if (!response.ok) throw new LoadError(name + ' could not be fetched (HTTP ' + response.status + ').' + INCOMPLETE);
      return response;
    }, function () {
      throw new LoadError(name + ' could not be fetched. Check the connection and reload the page.');
    });
  }

  // The file's bytes, read as they come to show the progress; exactly size of them, or it is damaged.
  function fetchBytes(name, size, shown) {
    return fetchFile(name).then(function (response) {
      var reader = response.body.getReader(), chunks = [], received = 0;
      function next() {
        return reader.read().then(function (part) {
          if (part.done) return;
          chunks.push(part.value);
          received += part.value.length;
          shown(name, received);
          return next();
        });
      }
      return next().then(function () {
        if (received !== size) {
          throw new LoadError(name + ' is damaged: ' + received + ' bytes of ' + size + '.' + INCOMPLETE);
        }
        var bytes = new Uint8Array(size), at = 0;
        chunks.forEach(function (chunk) { bytes.set(chunk, at); at += chunk.length; });
        return bytes.buffer;
      }, function () {
        throw new LoadError(name + ' could not be fetched. Check the connection and reload the page.');
      });
    });
  }

  function loadScript(name) {
    return new Promise(function (resolve, reject) {
      var script = document.createElement('script');
      script.src = name;
      script.onload = resolve;
      script.onerror = function () { reject(new LoadError(name + ' could not be loaded.' + INCOMPLETE)); };
      document.body.appendChild(script);
    });
  }

  function start() {
    if (!webAssemblyRuns()) {
      fail('This browser cannot run the game: it needs WebAssembly with SIMD (Chrome or Edge 91, ' +
           'Firefox 89, Safari 16.4 or later).');
      return;
    }
    setStatus('Downloading data...');
    fetchFile('build.json').then(function (response) {
      return response.json().catch(function () { throw new LoadError('build.json is damaged.' + INCOMPLETE); });
    }).then(function (build) {
      var sizes = build.files || {}, total = 0, got = {};
      ['pakaponta.wasm', 'pakaponta.data'].forEach(function (name) { total += sizes[name] || 0; });
      function shown(name, received) {
        got[name] = received;
        var sum = (got['pakaponta.wasm'] || 0) + (got['pakaponta.data'] || 0);
        setStatus('Downloading data... (' + sum + '/' + total + ')');
      }
      return Promise.all([fetchBytes('pakaponta.wasm', sizes['pakaponta.wasm'], shown),
                          fetchBytes('pakaponta.data', sizes['pakaponta.data'], shown)]);
    }).then(function (files) {
      Module.instantiateWasm = function (imports, receive) {
        WebAssembly.instantiate(files[0], imports).then(function (result) {
          receive(result.instance, result.module);
        }, function () {
          fail('pakaponta.wasm is damaged.' + INCOMPLETE, 'The game could not start');
        });
        return {};
      };
      Module.getPreloadedPackage = function () { return files[1]; };
      return loadScript('pakaponta.js');
    }).catch(function (error) {
      fail(error instanceof LoadError ? error.text : String(error) + INCOMPLETE, 'The game could not start');
    });
  }

  // A build that came while an older one ran takes over at the next start, before anything of the
  // page is loaded: the page and its files always come from one build.
  function startWithNewestBuild() {
    var workers = navigator.serviceWorker;
    if (!workers || !workers.controller) return start();
    var started = false;
    function once() {
      if (!started) {
        started = true;
        start();
      }
    }
    workers.getRegistration().then(function (registration) {
      if (!registration || !registration.waiting) return once();
      started = true;
      workers.addEventListener('controllerchange', function () { window.location.reload(); });
      registration.waiting.postMessage('activate');
    }, once);
  }

  function keepForOffline() {
    var workers = navigator.serviceWorker;
    if (workers && /^https?:$/.test(window.location.protocol)) {
      workers.register('sw.js').catch(function (error) { console.warn('No offline copy: ' + error); });
    }
  }

  window.Module = {
    canvas: canvas,
    arguments: argumentsFromUrl(window.location.search),
    muted: muted,
    setStatus: setStatus,
    totalDependencies: 0,
    monitorRunDependencies: function (left) {
      this.totalDependencies = Math.max(this.totalDependencies, left);
      if (left) setStatus('Preparing… (' + (this.totalDependencies - left) + '/' + this.totalDependencies + ')');
    },
    onRuntimeInitialized: function () {
      setStatus('');
      if (!touchControls()) canvas.focus();
      running = true;
      keepAwake();
      keepForOffline();
    },
    offerShare: offerShare,
    narrate: narrate,
    // The game's own messages, such as a damaged data file: the same words as the window's box.
    showMessage: function (heading, text) { fail(text, heading); },
    onExit: ended,
    onAbort: function () { fail('The game stopped on an error. Reload the page to try again.'); },
  };

  showMute();
  layout();
  canvas.focus();
  startWithNewestBuild();
})();
