// Fits the game's 800x600 picture to the window, before, during and after
// play, on every resize and turn of the device: whole steps of the screen's
// own pixels where they lose at most a quarter of the room, the largest fit
// otherwise. The page's tools stay beside the picture when there is room;
// when they would cover it they tuck away during play and come back while
// the pointer moves. A phone held upright is asked to turn.
'use strict';

const Fit = (() => {
  const gameWidth = 800, gameHeight = 600;
  const root = document.documentElement;
  const tools = document.getElementById('tools');
  const turn = document.getElementById('turn');
  let playing = false;
  let toolsCover = false;
  let tuckTimer = 0;
  const rect = {x: 0, y: 0, width: gameWidth, height: gameHeight};

  const touchDevice = () => navigator.maxTouchPoints > 0 || 'ontouchstart' in window;

  function fittedSize(width, height) {
    const ratio = window.devicePixelRatio || 1;
    const scale = Math.min(width * ratio / gameWidth, height * ratio / gameHeight);
    const whole = Math.floor(scale);
    const steps = whole >= 1 && whole / scale >= 0.75 ? whole : scale;
    return {width: Math.floor(gameWidth * steps) / ratio,
      height: Math.floor(gameHeight * steps) / ratio};
  }

  function overlaps(a, b) {
    return a.left < b.x + b.width && b.x < a.right && a.top < b.y + b.height && b.y < a.bottom;
  }

  function tuck() {
    clearTimeout(tuckTimer);
    tools.classList.toggle('tucked', playing && toolsCover);
  }

  function update() {
    const width = window.innerWidth, height = window.innerHeight;
    const size = fittedSize(width, height);
    root.style.setProperty('--fit-w', size.width + 'px');
    root.style.setProperty('--fit-h', size.height + 'px');
    root.classList.add('fitted');
    rect.width = size.width;
    rect.height = size.height;
    rect.x = (width - size.width) / 2;
    rect.y = (height - size.height) / 2;
    // A row under the picture, else a column beside it, else tucked away.
    tools.classList.remove('column');
    let over = overlaps(tools.getBoundingClientRect(), rect);
    if (over) {
      tools.classList.add('column');
      over = overlaps(tools.getBoundingClientRect(), rect);
      if (over)
        tools.classList.remove('column');
    }
    toolsCover = over || (playing && touchDevice());
    turn.hidden = !(touchDevice() && height > width);
    tuck();
  }

  // The pointer moving shows the tools for a few seconds.
  function pointerMoved(event) {
    if (!playing || !toolsCover || event.pointerType === 'touch')
      return;
    tools.classList.remove('tucked');
    clearTimeout(tuckTimer);
    tuckTimer = setTimeout(tuck, 2500);
  }

  window.addEventListener('resize', update);
  window.addEventListener('orientationchange', update);
  window.addEventListener('pointermove', pointerMoved);
  update();
  return {
    update,
    rect,
    touchDevice,
    setPlaying(now) {
      playing = now;
      update();
    },
  };
})();
