// The page's side of the game's mixer (web/src/mixer*.cpp): Web Audio nodes
// for the effect channels and an audio element for the music. The C++ side
// keeps every bit of mixer state (what plays where, for how long, at what
// volume); this side only makes it heard, so a browser that cannot play
// (no Web Audio, no click yet, a sound not yet decoded) changes what is
// heard, never what the game sees.
//
// Each effect channel: source -> volume gain (upmixed to stereo) -> splitter
// -> one gain per ear -> merger -> master -> speakers. One gain per ear
// rather than a StereoPannerNode: the mixer's positional effect scales each
// ear on its own (full volume straight ahead on both), which an equal-power
// panner cannot do.
//
// The page may set Module.tetherMusicBase (a URL prefix for the music
// files, "" by default: music/<track>.ogg beside the page). Once the mixer
// is open, Module.tetherAudioReport() tells what it did: counts of sources
// started, plays not heard (no click yet, or not decoded), effects decoded
// or failed, tracks started and ended, ends delivered to the game's hook,
// gestures seen; the audio context's state; each channel's gains; the
// current track.

mergeInto(LibraryManager.library, {
  $TetherAudio__deps: ['$SDL', 'SDL_FreeRW'],
  $TetherAudio: {
    context: null,
    master: null,
    channels: [],       // per channel: {volume, left, right, source}
    sounds: [null],     // per chunk id: {buffer (once decoded), seconds}
    tracks: [null],     // per music id: {url, failed}
    music: null,        // {id, element, playsLeft, paused, nodes, fadeTimer}
    musicVolume: 1,
    musicEnded: false,  // raised by the element's events, taken once a frame
    report: {sourcesStarted: 0, notHeard: 0, decoded: 0, decodeFailed: 0,
             musicStarted: 0, musicEnded: 0, musicEndsDelivered: 0, gestures: 0},

    // The first click or key on the page lets sound out: browsers keep an
    // audio context suspended until then, and refuse an element's play().
    listenForGesture: function() {
      var events = ['pointerdown', 'mousedown', 'keydown', 'touchstart'];
      var onGesture = function() {
        TetherAudio.report.gestures++;
        if (TetherAudio.context && TetherAudio.context.state !== 'running')
          TetherAudio.context.resume().catch(function() {});
        var music = TetherAudio.music;
        if (music && !music.paused && music.element.paused)
          TetherAudio.playElement(music);
        if (!TetherAudio.context || TetherAudio.context.state === 'running')
          events.forEach(function(e) { window.removeEventListener(e, onGesture, true); });
      };
      events.forEach(function(e) { window.addEventListener(e, onGesture, true); });
    },

    // WAV bytes -> seconds of sound, from the header alone (the decoding
    // itself is asynchronous). 0 when the bytes are no WAV we can time.
    wavSeconds: function(bytes) {
      var view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
      var text = function(at) {
        return String.fromCharCode(bytes[at], bytes[at + 1], bytes[at + 2], bytes[at + 3]);
      };
      if (bytes.length < 12 || text(0) !== 'RIFF' || text(8) !== 'WAVE') return 0;
      var byteRate = 0;
      for (var at = 12; at + 8 <= bytes.length;) {
        var id = text(at), size = view.getUint32(at + 4, true);
        if (id === 'fmt ' && size >= 16 && at + 16 <= bytes.length)
          byteRate = view.getUint32(at + 16, true);
        if (id === 'data' && byteRate > 0)
          return Math.min(size, bytes.length - at - 8) / byteRate;
        at += 8 + size + (size & 1);
      }
      return 0;
    },

    channel: function(n) {
      var channels = TetherAudio.channels;
      while (channels.length <= n)
        channels.push({volume: 1, left: 1, right: 1, source: null, nodes: null});
      return channels[n];
    },

    // The channel's nodes, made on its first sound: upmixing the mono
    // effects to stereo before the splitter gives each ear the whole sound.
    channelNodes: function(state) {
      if (state.nodes) return state.nodes;
      var context = TetherAudio.context;
      var volume = context.createGain();
      volume.channelCount = 2;
      volume.channelCountMode = 'explicit';
      volume.channelInterpretation = 'speakers';
      var splitter = context.createChannelSplitter(2);
      var left = context.createGain(), right = context.createGain();
      var merger = context.createChannelMerger(2);
      volume.connect(splitter);
      splitter.connect(left, 0);
      splitter.connect(right, 1);
      left.connect(merger, 0, 0);
      right.connect(merger, 0, 1);
      merger.connect(TetherAudio.master);
      state.nodes = {volume: volume, left: left, right: right};
      TetherAudio.applyGains(state);
      return state.nodes;
    },

    applyGains: function(state) {
      if (!state.nodes) return;
      state.nodes.volume.gain.value = state.volume;
      state.nodes.left.gain.value = state.left;
      state.nodes.right.gain.value = state.right;
    },

    stopSource: function(state) {
      if (!state.source) return;
      try { state.source.stop(); } catch (e) {}
      state.source.disconnect();
      state.source = null;
    },

    playElement: function(music) {
      var played = music.element.play();
      if (played && played.catch) played.catch(function() {}); // no gesture yet: retried on it
    },

    endMusic: function(music) {
      if (TetherAudio.music !== music) return;
      TetherAudio.haltMusic();
      TetherAudio.musicEnded = true;
      TetherAudio.report.musicEnded++;
    },

    setMusicGain: function() {
      var music = TetherAudio.music;
      if (!music) return;
      if (music.nodes) music.nodes.volume.gain.value = TetherAudio.musicVolume;
      else if (!music.fadeTimer) music.element.volume = TetherAudio.musicVolume;
    },

    haltMusic: function() {
      var music = TetherAudio.music;
      if (!music) return;
      TetherAudio.music = null;
      if (music.fadeTimer) clearTimeout(music.fadeTimer);
      music.element.pause();
      music.element.removeAttribute('src');
      if (music.nodes) music.nodes.fade.disconnect();
    },
  },

  tetherAudioOpen__deps: ['$TetherAudio'],
  tetherAudioOpen: function() {
    if (TetherAudio.context) return;
    var Context = window.AudioContext || window.webkitAudioContext;
    if (!Context) return; // no Web Audio: the game plays on, silent
    try {
      TetherAudio.context = new Context();
    } catch (e) {
      return;
    }
    TetherAudio.master = TetherAudio.context.createGain();
    TetherAudio.master.connect(TetherAudio.context.destination);
    TetherAudio.listenForGesture();
    // The page hidden: silent at once (a hidden page gets no frames, so the
    // game's own pause would wait for its return); shown again: heard again,
    // the music only if the game has not paused it.
    Module['tetherHush'] = function(hush) {
      var context = TetherAudio.context, music = TetherAudio.music;
      if (hush) {
        context.suspend().catch(function() {});
        if (music) music.element.pause();
      } else {
        context.resume().catch(function() {});
        if (music && !music.paused) TetherAudio.playElement(music);
      }
    };
    Module['tetherAudioReport'] = function() {
      var report = Object.assign({}, TetherAudio.report);
      report.contextState = TetherAudio.context ? TetherAudio.context.state : 'none';
      report.channels = TetherAudio.channels.map(function(c) {
        return {playing: !!c.source, volume: c.volume, left: c.left, right: c.right};
      });
      report.music = TetherAudio.music ? {
        url: TetherAudio.tracks[TetherAudio.music.id].url,
        paused: TetherAudio.music.element.paused,
        time: TetherAudio.music.element.currentTime,
        failed: !!TetherAudio.tracks[TetherAudio.music.id].failed,
        volume: TetherAudio.musicVolume,
        fading: !!TetherAudio.music.fadeTimer} : null;
      return report;
    };
  },

  // A chunk from an SDL_RWops of emscripten's SDL (a file of the page's
  // file system, or bytes in memory): its id, or 0 with no WAV in it.
  // Its length in seconds goes to *seconds.
  tetherAudioLoadChunk__deps: ['$TetherAudio'],
  tetherAudioLoadChunk: function(rwops, freeSource, seconds) {
    var source = SDL.rwops[rwops];
    var bytes = null;
    try {
      if (source && source.filename !== undefined)
        bytes = FS.readFile(source.filename);
      else if (source && source.bytes !== undefined)
        bytes = HEAPU8.slice(source.bytes, source.bytes + source.count);
    } catch (e) {
      bytes = null;
    }
    if (source && freeSource) _SDL_FreeRW(rwops);
    var length = bytes ? TetherAudio.wavSeconds(bytes) : 0;
    if (!(length > 0)) return 0;
    var sound = {buffer: null, seconds: length};
    var id = TetherAudio.sounds.length;
    TetherAudio.sounds.push(sound);
    {{{ makeSetValue('seconds', '0', 'length', 'double') }}};
    var context = TetherAudio.context;
    if (context) {
      var copy = bytes.slice().buffer; // decoding takes the buffer away
      var onDecoded = function(buffer) { sound.buffer = buffer; TetherAudio.report.decoded++; };
      var onFailed = function() { TetherAudio.report.decodeFailed++; };
      var decoding = context.decodeAudioData(copy, onDecoded, onFailed);
      if (decoding && decoding.catch) decoding.catch(function() {});
    }
    return id;
  },

  tetherAudioFreeChunk__deps: ['$TetherAudio'],
  tetherAudioFreeChunk: function(id) {
    TetherAudio.sounds[id] = null;
  },

  // Starts chunk `id` on channel `n` at `offset` seconds into it, for
  // `seconds` more (-1: endless), cutting off what played there.
  tetherAudioStart__deps: ['$TetherAudio'],
  tetherAudioStart: function(n, id, offset, seconds) {
    var state = TetherAudio.channel(n);
    TetherAudio.stopSource(state);
    var context = TetherAudio.context;
    var sound = TetherAudio.sounds[id];
    if (!context || context.state !== 'running' || !sound || !sound.buffer) {
      TetherAudio.report.notHeard++; // not decoded or no gesture yet: not heard this time
      return;
    }
    var nodes = TetherAudio.channelNodes(state);
    var source = context.createBufferSource();
    source.buffer = sound.buffer;
    var length = sound.buffer.duration;
    source.loop = seconds < 0 || offset + seconds > length + 0.001;
    source.connect(nodes.volume);
    source.start(0, length > 0 ? offset % length : 0);
    if (source.loop && seconds >= 0) source.stop(context.currentTime + seconds);
    source.onended = function() {
      if (state.source === source) { source.disconnect(); state.source = null; }
    };
    state.source = source;
    TetherAudio.report.sourcesStarted++;
  },

  tetherAudioStop__deps: ['$TetherAudio'],
  tetherAudioStop: function(n) {
    TetherAudio.stopSource(TetherAudio.channel(n));
  },

  // The channel's volume (chunk and channel volumes multiplied) and the
  // gains of its two ears (position and distance), each 0..1.
  tetherAudioSetGains__deps: ['$TetherAudio'],
  tetherAudioSetGains: function(n, volume, left, right) {
    var state = TetherAudio.channel(n);
    state.volume = volume;
    state.left = left;
    state.right = right;
    TetherAudio.applyGains(state);
  },

  // Music: a track is only a URL beside the page until it plays; the
  // browser streams it then, so the page never waits for the music.
  tetherAudioLoadMusic__deps: ['$TetherAudio'],
  tetherAudioLoadMusic: function(path) {
    var base = Module['tetherMusicBase'] || '';
    TetherAudio.tracks.push({url: base + UTF8ToString(path), failed: false});
    return TetherAudio.tracks.length - 1;
  },

  // 1 when track `id` starts, 0 when it cannot (it failed to load before).
  // `plays` is how many times it plays through (-1: endlessly).
  tetherAudioPlayMusic__deps: ['$TetherAudio'],
  tetherAudioPlayMusic: function(id, plays) {
    TetherAudio.haltMusic();
    var track = TetherAudio.tracks[id];
    if (!track || track.failed || typeof Audio === 'undefined') return 0;
    var element = new Audio();
    var music = {id: id, element: element, playsLeft: plays, paused: false,
                 nodes: null, fadeTimer: 0};
    element.preload = 'auto';
    element.addEventListener('ended', function() {
      if (music.playsLeft > 1 || music.playsLeft < 0) {
        if (music.playsLeft > 0) music.playsLeft--;
        element.currentTime = 0;
        TetherAudio.playElement(music);
      } else {
        TetherAudio.endMusic(music);
      }
    });
    element.addEventListener('error', function() {
      track.failed = true; // a missing track is not asked for again
      TetherAudio.endMusic(music);
    });
    var context = TetherAudio.context;
    if (context) {
      // Through the audio graph, so that fades ramp smoothly.
      var fade = context.createGain();
      fade.connect(TetherAudio.master);
      var volume = context.createGain();
      volume.connect(fade);
      context.createMediaElementSource(element).connect(volume);
      music.nodes = {fade: fade, volume: volume};
    }
    element.src = track.url;
    TetherAudio.music = music;
    TetherAudio.setMusicGain();
    TetherAudio.report.musicStarted++;
    TetherAudio.playElement(music);
    return 1;
  },

  tetherAudioMusicVolume__deps: ['$TetherAudio'],
  tetherAudioMusicVolume: function(volume) {
    TetherAudio.musicVolume = volume;
    TetherAudio.setMusicGain();
  },

  tetherAudioPauseMusic__deps: ['$TetherAudio'],
  tetherAudioPauseMusic: function(pause) {
    var music = TetherAudio.music;
    if (!music) return;
    music.paused = !!pause;
    if (pause) music.element.pause();
    else TetherAudio.playElement(music);
  },

  tetherAudioHaltMusic__deps: ['$TetherAudio'],
  tetherAudioHaltMusic: function(finished) {
    if (finished && TetherAudio.music) TetherAudio.endMusic(TetherAudio.music);
    else TetherAudio.haltMusic();
  },

  // Fades the music to silence over `ms`, then ends it as if it had
  // played out (the finished hook follows).
  tetherAudioFadeOutMusic__deps: ['$TetherAudio'],
  tetherAudioFadeOutMusic: function(ms) {
    var music = TetherAudio.music;
    if (!music || music.fadeTimer) return;
    if (music.nodes) {
      var gain = music.nodes.fade.gain, now = TetherAudio.context.currentTime;
      gain.setValueAtTime(1, now);
      gain.linearRampToValueAtTime(0, now + ms / 1000);
    } else {
      music.element.volume = 0;
    }
    music.fadeTimer = setTimeout(function() { TetherAudio.endMusic(music); }, ms);
  },

  // 1 while a track is started (paused or not), and after it ended until
  // the end is taken: the game sees the end and the finished hook together.
  tetherAudioMusicActive__deps: ['$TetherAudio'],
  tetherAudioMusicActive: function() {
    return TetherAudio.music || TetherAudio.musicEnded ? 1 : 0;
  },

  // 1 once for each track that ended since the last call.
  tetherAudioTakeMusicEnded__deps: ['$TetherAudio'],
  tetherAudioTakeMusicEnded: function() {
    var ended = TetherAudio.musicEnded;
    TetherAudio.musicEnded = false;
    if (ended) TetherAudio.report.musicEndsDelivered++;
    return ended ? 1 : 0;
  },
});
