// Touch controls for phones and tablets, fed to the game as the keys and
// mouse it already reads. In a level: a thumb stick steers (held arrow keys,
// by the chosen ship's steering: the stick's direction for the ships that
// steer by direction, turning toward it and thrusting for the ship that
// rotates), a tap on the picture moves the pointer there and fires a hook
// (the left button), Let go is the right button, Pause is P and Leave is
// Escape. Elsewhere a tap is a click (the title's ships and map arrows) and
// Start is Space. Keyboard and mouse work beside them all the while.
'use strict';

const Touch = (() => {
  const canvas = document.getElementById('screen');
  const layer = document.getElementById('touch');
  const stickArea = document.getElementById('stick');
  const knob = document.getElementById('knob');
  const buttons = {
    start: document.getElementById('start-touch'),
    letgo: document.getElementById('letgo'),
    pause: document.getElementById('pause-touch'),
    leave: document.getElementById('leave-touch'),
  };
  const arrows = {up: ['ArrowUp', 38], down: ['ArrowDown', 40], left: ['ArrowLeft', 37],
    right: ['ArrowRight', 39]};
  let probe = () => ({screen: 'none'});
  let enabled = false;
  let stickTouch = null; // {id, x, y}: the finger on the stick and where it is
  const held = new Set(); // arrows held for the stick
  let lastPointer = {x: 0, y: 0};

  function key(type, name, code) {
    const event = new KeyboardEvent(type, {key: name, code: name, bubbles: true, cancelable: true});
    Object.defineProperty(event, 'keyCode', {get: () => code});
    Object.defineProperty(event, 'which', {get: () => code});
    document.dispatchEvent(event);
  }

  const nextFrame = () => new Promise((resolve) => requestAnimationFrame(() => resolve()));

  async function press(name, code) {
    key('keydown', name, code);
    // Held across a frame or two, so the game's frame sees it.
    await nextFrame();
    await nextFrame();
    key('keyup', name, code);
  }

  function mouse(type, x, y, button) {
    canvas.dispatchEvent(new MouseEvent(type, {clientX: x, clientY: y, button,
      buttons: type === 'mousedown' ? 1 << button : 0, bubbles: true, cancelable: true}));
  }

  // The pointer goes to the spot first, a frame before the button, as a
  // hand moves the mouse there: the game aims where the pointer was.
  async function clickAt(x, y, button) {
    lastPointer = {x, y};
    mouse('mousemove', x, y, 0);
    await nextFrame();
    await nextFrame();
    mouse('mousedown', x, y, button);
    await nextFrame();
    mouse('mouseup', x, y, button);
  }

  // The arrows the stick holds: by direction (ships 0 and 1), or turning
  // toward it and thrusting once the nose points within a right angle of it
  // (ship 2, which rotates).
  function wantedArrows(dx, dy, state) {
    const wanted = new Set();
    const length = Math.hypot(dx, dy);
    if (length < 0.3)
      return wanted;
    const angle = Math.atan2(dy, dx);
    if (state.chosenShip === 2 && state.ship) {
      let diff = angle - state.angle;
      while (diff > Math.PI) diff -= 2 * Math.PI;
      while (diff < -Math.PI) diff += 2 * Math.PI;
      if (diff > 0.12) wanted.add('right');
      else if (diff < -0.12) wanted.add('left');
      if (Math.abs(diff) < Math.PI / 2 && length > 0.6) wanted.add('up');
      return wanted;
    }
    // Eight directions, each an eighth of the circle.
    const octant = Math.round(angle / (Math.PI / 4));
    const names = {0: ['right'], 1: ['down', 'right'], 2: ['down'], 3: ['down', 'left'],
      4: ['left'], '-4': ['left'], '-3': ['up', 'left'], '-2': ['up'], '-1': ['up', 'right']};
    for (const name of names[octant])
      wanted.add(name);
    return wanted;
  }

  function steer() {
    let wanted = new Set();
    const state = probe();
    if (stickTouch && state.screen === 'level') {
      const box = stickArea.getBoundingClientRect();
      const reach = box.width / 2;
      let dx = (stickTouch.x - (box.left + reach)) / reach;
      let dy = (stickTouch.y - (box.top + reach)) / reach;
      const length = Math.hypot(dx, dy);
      if (length > 1) {
        dx /= length;
        dy /= length;
      }
      knob.style.transform = `translate(${dx * reach * 0.6}px, ${dy * reach * 0.6}px)`;
      wanted = wantedArrows(dx, dy, state);
    } else {
      knob.style.transform = '';
    }
    for (const name of Object.keys(arrows)) {
      if (wanted.has(name) && !held.has(name)) {
        held.add(name);
        key('keydown', ...arrows[name]);
      } else if (!wanted.has(name) && held.has(name)) {
        held.delete(name);
        key('keyup', ...arrows[name]);
      }
    }
    if (stickTouch || held.size)
      requestAnimationFrame(steer);
  }

  // Which controls the screen shown wants.
  function showControls() {
    const screen = probe().screen;
    const inLevel = screen === 'level';
    stickArea.hidden = !inLevel;
    buttons.letgo.hidden = !inLevel;
    buttons.pause.hidden = !(inLevel || screen === 'pause');
    buttons.pause.textContent = screen === 'pause' ? 'Go on' : 'Pause';
    buttons.leave.hidden = !(inLevel || screen === 'pause');
    buttons.start.hidden = !(screen === 'title' || screen === 'end');
  }

  const onStick = (x, y) => {
    const box = stickArea.getBoundingClientRect();
    const margin = 40;
    return !stickArea.hidden && x >= box.left - margin && x <= box.right + margin
      && y >= box.top - margin && y <= box.bottom + margin;
  };

  function onPicture(x, y) {
    const box = canvas.getBoundingClientRect();
    return x >= box.left && x < box.right && y >= box.top && y < box.bottom;
  }

  // Touches on the game's area never reach the game's own touch handling
  // (which would take every finger for the mouse): they are read here.
  function takeTouch(event) {
    if (!enabled || !event.target.closest || !event.target.closest('#stage')
      || event.target.closest('#cover') || event.target.closest('#turn'))
      return;
    event.preventDefault();
    event.stopPropagation();
    if (layer.hidden)
      showLayer();
    if (event.target.closest('.touch-button'))
      return;
    for (const touch of event.changedTouches) {
      const x = touch.clientX, y = touch.clientY;
      if (event.type === 'touchstart') {
        if (!stickTouch && onStick(x, y)) {
          stickTouch = {id: touch.identifier, x, y};
          requestAnimationFrame(steer);
        } else if (onPicture(x, y)) {
          clickAt(x, y, 0);
        }
      } else if (stickTouch && touch.identifier === stickTouch.id) {
        if (event.type === 'touchmove') {
          stickTouch.x = x;
          stickTouch.y = y;
        } else {
          stickTouch = null;
        }
      }
    }
  }

  function showLayer() {
    layer.hidden = false;
    showControls();
  }

  function onButton(button, action) {
    button.addEventListener('pointerdown', (event) => {
      event.preventDefault();
      action();
    });
  }
  onButton(buttons.start, () => press(' ', 32));
  onButton(buttons.letgo, () => clickAt(lastPointer.x || window.innerWidth / 2,
    lastPointer.y || window.innerHeight / 2, 2));
  onButton(buttons.pause, () => press('p', 80));
  onButton(buttons.leave, () => press('Escape', 27));

  for (const type of ['touchstart', 'touchmove', 'touchend', 'touchcancel'])
    window.addEventListener(type, takeTouch, {capture: true, passive: false});

  return {
    // Called once the game runs: `readProbe` tells the screen shown and the ship.
    start(readProbe) {
      probe = readProbe;
      enabled = true;
      if (Fit.touchDevice())
        showLayer();
      setInterval(() => { if (!layer.hidden) showControls(); }, 200);
    },
    stop() {
      enabled = false;
      layer.hidden = true;
    },
  };
})();
