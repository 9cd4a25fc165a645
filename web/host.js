// Link with `em++ ... --js-library web/host.js`: the page's side of WebAudio.cpp.
//
// Effects are decoded once by Web Audio and played through one gain node, a new one cutting the
// last. Music streams from the rendered tracks through one audio element, one track at a time.
// Browsers keep sound off until the player's first key, click or tap: until then effects are
// dropped (they would all sound at once later) and a track asked to play waits for that gesture,
// counting as playing meanwhile, so the game's rotation of tracks does not race ahead. The page's
// mute switch calls Module.pakaSound.setMuted; a muted track runs on silently, keeping its place.
mergeInto(LibraryManager.library, {
  $PakaSound: {
    ctx: null,
    gain: null,
    muted: false,
    unlocked: false,
    effects: {},
    effectSource: null,
    effectTicket: 0,
    music: null,
    slots: {},
    current: null,
    playing: false,
    waitsForGesture: false,

    init: function () {
      if (PakaSound.music || typeof window === 'undefined') return;
      var Context = window.AudioContext || window.webkitAudioContext;
      if (Context) {
        try {
          PakaSound.ctx = new Context();
          PakaSound.gain = PakaSound.ctx.createGain();
          PakaSound.gain.connect(PakaSound.ctx.destination);
        } catch (e) {
          PakaSound.ctx = null;
        }
      }
      var music = new Audio();
      music.preload = 'none';
      music.addEventListener('ended', function () {
        PakaSound.playing = false;
      });
      // A track that cannot be fetched or decoded is a silent slot, as a missing file is.
      music.addEventListener('error', function () {
        PakaSound.playing = false;
        PakaSound.waitsForGesture = false;
      });
      PakaSound.music = music;
      PakaSound.setMuted(!!Module['muted']);
      ['keydown', 'mousedown', 'pointerdown', 'touchend'].forEach(function (type) {
        window.addEventListener(type, PakaSound.unlock, true);
      });
      Module['pakaSound'] = PakaSound;
    },

    unlock: function () {
      PakaSound.unlocked = true;
      if (PakaSound.ctx && PakaSound.ctx.state !== 'running') PakaSound.ctx.resume();
      if (PakaSound.waitsForGesture) PakaSound.start();
    },

    setMuted: function (muted) {
      PakaSound.muted = muted;
      if (PakaSound.gain) PakaSound.gain.gain.value = muted ? 0 : 1;
      if (PakaSound.music) PakaSound.music.muted = muted;
    },

    start: function () {
      PakaSound.waitsForGesture = false;
      var started = PakaSound.music.play();
      if (started) {
        started.catch(function (error) {
          // Aborted plays were cut by a stop or the next track; only a refusal waits for a gesture.
          if (error.name === 'NotAllowedError' && PakaSound.playing) PakaSound.waitsForGesture = true;
        });
      }
    },

    halt: function () {
      if (PakaSound.current !== null) PakaSound.music.pause();
      PakaSound.current = null;
      PakaSound.playing = false;
      PakaSound.waitsForGesture = false;
    },
  },

  host_audio_init__deps: ['$PakaSound'],
  host_audio_init: function () {
    PakaSound.init();
  },

  host_effect_load__deps: ['$PakaSound'],
  host_effect_load: function (id, image, size) {
    var ctx = PakaSound.ctx;
    if (!ctx) return;
    // Decoding detaches the buffer it is given: hand it a copy of the game's memory.
    var bytes = HEAPU8.slice(image, image + size).buffer;
    PakaSound.effects[id] = new Promise(function (resolve) {
      ctx.decodeAudioData(bytes, resolve, function () {
        resolve(null);
      });
    });
  },

  host_effect_play__deps: ['$PakaSound', 'host_effect_stop'],
  host_effect_play: function (id) {
    _host_effect_stop();
    var decoded = PakaSound.effects[id];
    if (!decoded || !PakaSound.unlocked) return;
    var ticket = PakaSound.effectTicket;
    decoded.then(function (buffer) {
      if (!buffer || ticket !== PakaSound.effectTicket) return;
      var source = PakaSound.ctx.createBufferSource();
      source.buffer = buffer;
      source.connect(PakaSound.gain);
      source.start();
      PakaSound.effectSource = source;
    });
  },

  host_effect_stop__deps: ['$PakaSound'],
  host_effect_stop: function () {
    PakaSound.effectTicket++;
    if (PakaSound.effectSource) {
      PakaSound.effectSource.stop();
      PakaSound.effectSource = null;
    }
  },

  host_music_open__deps: ['$PakaSound'],
  host_music_open: function (alias, url) {
    var name = UTF8ToString(alias);
    if (!(name in PakaSound.slots)) PakaSound.slots[name] = UTF8ToString(url);
  },

  // 0: no such slot, 1: playing, 2: stopped.
  host_music_status__deps: ['$PakaSound'],
  host_music_status: function (alias) {
    var name = UTF8ToString(alias);
    if (!(name in PakaSound.slots)) return 0;
    return PakaSound.current === name && PakaSound.playing ? 1 : 2;
  },

  host_music_play__deps: ['$PakaSound'],
  host_music_play: function (alias) {
    var name = UTF8ToString(alias);
    if (!(name in PakaSound.slots) || !PakaSound.music) return;
    PakaSound.halt();
    var url = PakaSound.slots[name];
    if (!url) return;
    var music = PakaSound.music;
    if (music.getAttribute('src') !== url) {
      music.src = url;
    } else {
      music.currentTime = 0;
    }
    PakaSound.current = name;
    PakaSound.playing = true;
    if (PakaSound.unlocked) {
      PakaSound.start();
    } else {
      PakaSound.waitsForGesture = true;
    }
  },

  host_music_stop__deps: ['$PakaSound'],
  host_music_stop: function (alias) {
    if (PakaSound.current === UTF8ToString(alias)) PakaSound.halt();
  },

  host_music_close__deps: ['$PakaSound'],
  host_music_close: function (alias) {
    var name = UTF8ToString(alias);
    if (PakaSound.current === name) PakaSound.halt();
    delete PakaSound.slots[name];
  },
});
