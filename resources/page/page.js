// Zarvick's page: the documented HTTP interface (docs/remote.md) and
// nothing else. Every drive is a lease the server ends by itself should
// this page go quiet (a tablet asleep, Wi-Fi gone); while a control is held
// the lease is renewed well inside its time, and whatever lets go of it
// (the finger, a second finger, the page hidden or left) sends the axis its
// 0 at once.
'use strict';

(function () {
  // How long a drive holds without renewal, and how often it is renewed.
  const LEASE_MS = 500;
  const RENEW_MS = 150;
  // A press held this long on a preset asks to store it.
  const LONG_PRESS_MS = 600;
  // The event stream says something at least every 5 s; silence past this
  // means the link is gone even if the socket does not say so.
  const STREAM_SILENCE_MS = 12000;
  // A request that takes longer is given up (the lease covers a drive).
  const REQUEST_MS = 4000;
  const LAST_PRESET = 254;
  // Kept positions shown at most (a camera may keep far more).
  const MOST_POSITIONS = 60;

  const WORDS = {
    en: {
      other: '中文',
      connecting: 'Connecting…',
      live: 'Live',
      lost: 'Link lost: trying again…',
      tokenNeeded: 'Token needed',
      stopAll: 'Stop all',
      stopped: 'Every camera stopped',
      tele: 'Tele',
      wide: 'Wide',
      zoom: 'Zoom',
      near: 'Near',
      far: 'Far',
      focus: 'Focus',
      presets: 'Presets',
      positions: 'Go to a kept position',
      storeHint: 'Tap to recall; hold to store.',
      cancel: 'Cancel',
      store: 'Store',
      storeAsk: 'Store where camera {camera} points now as preset {preset}?',
      recalled: 'Preset {preset} recalled',
      stored: 'Preset {preset} stored',
      going: 'Going to {position}',
      noPosition: 'Camera {camera} no longer keeps {position}',
      noPositions: 'This camera keeps no position (Keep position in Zarvick).',
      noCamera: 'No camera is listed',
      tokenAsk: 'This Zarvick asks for its token (API/Token).',
      tokenGive: 'Use the token',
      tokenWrong: 'The token was not taken: give it again.',
      failed: 'Not done: {why}',
      unreachable: 'Zarvick does not answer',
      state: {
        closed: 'closed',
        reconnecting: 'reconnecting',
        open: 'open',
        answering: 'answering',
        'not answering': 'not answering'
      },
      tally: { program: 'Program', preview: 'Preview', off: '' }
    },
    zh: {
      other: 'English',
      connecting: '正在连接…',
      live: '已连接',
      lost: '连接中断，正在重试…',
      tokenNeeded: '需要令牌',
      stopAll: '全部停止',
      stopped: '所有摄像机已停止',
      tele: '拉近',
      wide: '拉远',
      zoom: '变焦',
      near: '聚近',
      far: '聚远',
      focus: '聚焦',
      presets: '预置位',
      positions: '前往保存的位置',
      storeHint: '轻点调用；长按设置。',
      cancel: '取消',
      store: '设置',
      storeAsk: '把摄像机 {camera} 现在的位置设置为预置位 {preset}？',
      recalled: '已调用预置位 {preset}',
      stored: '已设置预置位 {preset}',
      going: '正在前往 {position}',
      noPosition: '摄像机 {camera} 已不再保存 {position}',
      noPositions: '此摄像机没有保存的位置（在 Zarvick 中“保存位置”）。',
      noCamera: '没有列出摄像机',
      tokenAsk: '此 Zarvick 需要令牌（API/Token）。',
      tokenGive: '使用令牌',
      tokenWrong: '令牌未被接受，请重新输入。',
      failed: '未完成：{why}',
      unreachable: 'Zarvick 没有应答',
      state: {
        closed: '已关闭',
        reconnecting: '正在重新连接',
        open: '已打开',
        answering: '应答中',
        'not answering': '无应答'
      },
      tally: { program: '播出', preview: '预览', off: '' }
    }
  };

  const $ = (id) => document.getElementById(id);
  const chosenLanguage = () => {
    const kept = localStorage.getItem('zarvick-language');
    if (kept === 'en' || kept === 'zh') return kept;
    return (navigator.language || '').toLowerCase().startsWith('zh') ? 'zh' : 'en';
  };
  let language = chosenLanguage();
  const say = (key, values) =>
    String(WORDS[language][key]).replace(/\{(\w+)\}/g, (_, name) => String(values[name]));

  let token = sessionStorage.getItem('zarvick-token') || '';
  let cameras = [];
  let active = 0;
  let presetBase = 0;
  let linkState = 'connecting';

  // ---- requests -------------------------------------------------------

  let tokenWaiters = [];
  const tokenGiven = () => new Promise((resolve) => tokenWaiters.push(resolve));

  function askToken(again) {
    linkState = 'token';
    showLink();
    releaseAll();
    $('token').hidden = false;
    $('token-form').querySelector('p').textContent = say(again ? 'tokenWrong' : 'tokenAsk');
    $('token-input').focus();
  }

  function headers(json) {
    const made = {};
    if (token) made.Authorization = 'Bearer ' + token;
    if (json) made['Content-Type'] = 'application/json';
    return made;
  }

  // One request; the answer's status and JSON (status 0 when none came).
  async function call(path, body, keepalive) {
    const stop = new AbortController();
    const timer = setTimeout(() => stop.abort(), REQUEST_MS);
    const init = {
      method: body === undefined ? 'GET' : 'POST',
      headers: headers(body !== undefined && body !== null),
      cache: 'no-store',
      signal: stop.signal,
      keepalive: Boolean(keepalive)
    };
    if (body) init.body = JSON.stringify(body);
    try {
      const response = await fetch(path, init);
      const json = await response.json().catch(() => ({}));
      if (response.status === 401) askToken(Boolean(token));
      return { status: response.status, json };
    } catch (error) {
      return { status: 0, json: {} };
    } finally {
      clearTimeout(timer);
    }
  }

  function toast(text, bad) {
    const box = $('toast');
    box.textContent = text;
    box.classList.toggle('bad', Boolean(bad));
    box.hidden = false;
    clearTimeout(toast.timer);
    toast.timer = setTimeout(() => { box.hidden = true; }, bad ? 3500 : 1800);
  }

  // A command's answer told: the success in its own words, a refusal in
  // the server's (shown as text, never as markup).
  function told(answer, success) {
    if (answer.status === 200) {
      if (success) toast(success);
    } else if (answer.status === 0) {
      toast(say('unreachable'), true);
    } else if (answer.status !== 401) {
      toast(say('failed', { why: answer.json.error || answer.status }), true);
    }
  }

  // ---- the camera strip, kept by the event stream -----------------------

  function showLink() {
    const link = $('link');
    const key = { connecting: 'connecting', live: 'live', lost: 'lost', token: 'tokenNeeded' };
    link.textContent = say(key[linkState]);
    link.className = 'link ' + linkState;
  }

  function showCameras() {
    const strip = $('cameras');
    const words = WORDS[language];
    strip.replaceChildren(...cameras.map((camera) => {
      const card = document.createElement('button');
      card.type = 'button';
      card.className = 'camera' + (camera.number === active ? ' active' : '');
      card.dataset.number = camera.number;
      card.dataset.tally = camera.tally;
      card.dataset.state = camera.state;
      card.setAttribute('aria-pressed', String(camera.number === active));
      const number = document.createElement('span');
      number.className = 'number';
      number.textContent = camera.number;
      const name = document.createElement('span');
      name.className = 'name';
      name.textContent = camera.name;
      const state = document.createElement('span');
      state.className = 'state';
      const tally = words.tally[camera.tally] || '';
      const shown = words.state[camera.state] || camera.state;
      state.textContent = tally ? tally + ' · ' + shown : shown;
      card.append(number, name, state);
      return card;
    }));
    showPositions();
  }

  function takeCamera(entry) {
    if (!entry || typeof entry.number !== 'number') return;
    const at = cameras.findIndex((camera) => camera.number === entry.number);
    if (at >= 0) cameras[at] = entry;
    else cameras.push(entry);
    cameras.sort((a, b) => a.number - b.number);
  }

  function setActive(number) {
    if (number === active) return;
    // A drive belongs to the camera it started on: a switch ends it here
    // as the server ends it there.
    releaseAll();
    active = number;
  }

  async function loadCameras() {
    const answer = await call('/api/v1/cameras');
    if (answer.status !== 200) return answer.status;
    cameras = [];
    (answer.json.cameras || []).slice(0, 64).forEach(takeCamera);
    setActive(answer.json.active || 0);
    showCameras();
    return 200;
  }

  // One server-sent event ("event: camera", "data: {…}").
  function takeEvent(block) {
    let kind = 'message';
    let data = '';
    for (const line of block.split('\n')) {
      if (line.startsWith('event:')) kind = line.slice(6).trim();
      else if (line.startsWith('data:')) data += line.slice(5).trim();
    }
    if (!data) return;
    let value;
    try {
      value = JSON.parse(data);
    } catch (error) {
      return;
    }
    if (kind === 'camera') takeCamera(value);
    else if (kind === 'active') setActive(value.active);
    showCameras();
  }

  let stream = null;

  // Read as a stream by fetch (EventSource sends no token), taken up again
  // after any loss, the list read anew each time.
  async function follow() {
    let wait = 500;
    for (;;) {
      const listed = await loadCameras();
      if (listed === 401) {
        await tokenGiven();
        continue;
      }
      if (listed === 200) await readStream();
      if (linkState === 'token') {
        await tokenGiven();
        continue;
      }
      linkState = 'lost';
      showLink();
      await new Promise((resolve) => setTimeout(resolve, wait));
      wait = listed === 200 ? 500 : Math.min(wait * 2, 8000);
    }
  }

  async function readStream() {
    stream = new AbortController();
    let heard = Date.now();
    const watch = setInterval(() => {
      if (Date.now() - heard > STREAM_SILENCE_MS) stream.abort();
    }, 1000);
    try {
      const response = await fetch('/api/v1/events', {
        headers: headers(false), cache: 'no-store', signal: stream.signal
      });
      if (response.status === 401) {
        askToken(Boolean(token));
        return;
      }
      if (!response.ok || !response.body) return;
      linkState = 'live';
      showLink();
      const reader = response.body.getReader();
      const decoder = new TextDecoder();
      let text = '';
      for (;;) {
        const { value, done } = await reader.read();
        if (done) break;
        heard = Date.now();
        text += decoder.decode(value, { stream: true }).replace(/\r/g, '');
        let cut;
        while ((cut = text.indexOf('\n\n')) >= 0) {
          takeEvent(text.slice(0, cut));
          text = text.slice(cut + 2);
        }
        // An event is a camera's entry: far below this.
        if (text.length > 65536) break;
      }
    } catch (error) {
      // Lost: follow() takes it up again.
    } finally {
      clearInterval(watch);
    }
  }

  // ---- drives -----------------------------------------------------------

  const axes = { pan: 0, tilt: 0, zoom: 0, focus: 0 };
  let driven = 0;
  let renewal = null;
  // What went last, and how many requests have no answer yet.
  let lastSent = '';
  let lastAxes = Object.assign({}, axes);
  let waiting = 0;
  let overtook = false;

  const moving = () => axes.pan !== 0 || axes.tilt !== 0 || axes.zoom !== 0 || axes.focus !== 0;
  const stateOf = () => JSON.stringify([axes.pan, axes.tilt, axes.zoom, axes.focus]);
  const letsGo = () => Object.keys(axes).some((name) => lastAxes[name] !== 0 && axes[name] === 0);

  // Sends what the controls hold now. A change waits for the answer to the
  // request before it, so that the two arrive in order; but a letting go
  // never waits (a browser may hold an answer back for a while after a
  // touch): it goes at once, and once more when every answer is in, should
  // it have overtaken the drive before it on the way.
  function sendAxes(renew) {
    if (!driven) return;
    if (stateOf() === lastSent && !renew) return;
    if (waiting > 0) {
      if (renew || !letsGo()) return;
      overtook = true;
    }
    post();
  }

  async function post() {
    waiting += 1;
    lastSent = stateOf();
    lastAxes = Object.assign({}, axes);
    const still = !moving();
    const answer = await call('/api/v1/cameras/' + driven + '/drive', {
      pan: axes.pan, tilt: axes.tilt, zoom: axes.zoom, focus: axes.focus, lease_ms: LEASE_MS
    }, still);
    waiting -= 1;
    if (answer.status !== 200 && answer.status !== 0) {
      told(answer);
      if (!still) stopControls();
    }
    if (waiting > 0) return;
    if (stateOf() !== lastSent) {
      sendAxes(false);
    } else if (overtook) {
      overtook = false;
      post();
    } else if (!moving()) {
      driven = 0;
    }
  }

  function setAxes(changes) {
    if (!moving()) {
      if (!active) {
        toast(say('noCamera'), true);
        return false;
      }
      driven = active;
    }
    Object.assign(axes, changes);
    for (const name of Object.keys(axes)) axes[name] = Math.round(axes[name] * 100) / 100;
    if (moving() && !renewal) {
      renewal = setInterval(() => sendAxes(true), RENEW_MS);
    } else if (!moving() && renewal) {
      clearInterval(renewal);
      renewal = null;
    }
    sendAxes(false);
    return true;
  }

  // The controls' own state, each holding one or more fingers.
  const controls = [];

  function makeControl(element, move, release) {
    const control = { element, fingers: new Set(), spoiled: false, release };
    controls.push(control);
    const end = (event) => {
      if (!control.fingers.delete(event.pointerId)) return;
      if (control.fingers.size === 0) control.spoiled = false;
      release();
    };
    element.addEventListener('pointerdown', (event) => {
      event.preventDefault();
      control.fingers.add(event.pointerId);
      element.setPointerCapture(event.pointerId);
      if (control.fingers.size > 1) {
        // A second finger makes the first one's meaning unsure: the axis
        // stops until every finger is off.
        control.spoiled = true;
        release();
        return;
      }
      move(event);
    });
    element.addEventListener('pointermove', (event) => {
      if (control.fingers.has(event.pointerId) && !control.spoiled && control.fingers.size === 1)
        move(event);
    });
    element.addEventListener('pointerup', end);
    element.addEventListener('pointercancel', end);
    element.addEventListener('lostpointercapture', end);
    element.addEventListener('contextmenu', (event) => event.preventDefault());
    return control;
  }

  // Every control let go: the page is hidden, left, or out of focus. The
  // fingers are forgotten (a hidden page may never hear them lift): only a
  // new touch drives again.
  function forgetFingers() {
    for (const control of controls) {
      for (const finger of control.fingers) {
        if (control.element.hasPointerCapture(finger))
          control.element.releasePointerCapture(finger);
      }
      control.fingers.clear();
      control.spoiled = false;
    }
  }

  function releaseAll() {
    forgetFingers();
    for (const control of controls) control.release();
  }

  // Stop all: the controls end too, or their renewals would start the
  // cameras again.
  function stopControls() {
    forgetFingers();
    Object.assign(axes, { pan: 0, tilt: 0, zoom: 0, focus: 0 });
    if (renewal) clearInterval(renewal);
    renewal = null;
    showStick(0, 0, false);
    for (const rocker of document.querySelectorAll('.rocker')) rocker.dataset.held = '0';
  }

  const stick = $('stick');
  const knob = $('knob');

  function showStick(x, y, held) {
    knob.style.left = 50 + x * 40 + '%';
    knob.style.top = 50 - y * 40 + '%';
    stick.classList.toggle('held', held);
  }

  // The finger's offset from the centre, the rim at 0.8 of the radius
  // being full speed; kept within the circle.
  makeControl(stick, (event) => {
    const box = stick.getBoundingClientRect();
    const reach = (box.width / 2) * 0.8;
    let x = (event.clientX - (box.left + box.width / 2)) / reach;
    let y = -(event.clientY - (box.top + box.height / 2)) / reach;
    const length = Math.hypot(x, y);
    if (length > 1) {
      x /= length;
      y /= length;
    }
    if (setAxes({ pan: x, tilt: y })) showStick(x, y, true);
  }, () => {
    showStick(0, 0, false);
    if (axes.pan !== 0 || axes.tilt !== 0) setAxes({ pan: 0, tilt: 0 });
  });

  // A rocker: the upper half drives toward tele (near), the lower toward
  // wide (far), faster toward its ends.
  for (const rocker of document.querySelectorAll('.rocker')) {
    const axis = rocker.dataset.axis;
    rocker.dataset.held = '0';
    makeControl(rocker, (event) => {
      const box = rocker.getBoundingClientRect();
      const off = -(event.clientY - (box.top + box.height / 2)) / (box.height / 2);
      const way = off >= 0 ? 1 : -1;
      const speed = Math.min(1, 0.4 + 0.6 * Math.abs(off));
      if (setAxes({ [axis]: way * speed })) rocker.dataset.held = String(way);
    }, () => {
      rocker.dataset.held = '0';
      if (axes[axis] !== 0) setAxes({ [axis]: 0 });
    });
  }

  document.addEventListener('visibilitychange', () => {
    if (document.visibilityState === 'hidden') releaseAll();
  });
  window.addEventListener('blur', releaseAll);
  window.addEventListener('pagehide', releaseAll);

  $('stop-all').addEventListener('click', async () => {
    stopControls();
    sendAxes(false);
    told(await call('/api/v1/stop', null), say('stopped'));
  });

  $('cameras').addEventListener('click', async (event) => {
    const card = event.target.closest('.camera');
    if (!card) return;
    const number = Number(card.dataset.number);
    const answer = await call('/api/v1/cameras/' + number + '/select', null);
    told(answer);
    if (answer.status === 200) {
      setActive(number);
      showCameras();
    }
  });

  // ---- presets and kept positions -------------------------------------

  let storing = null;

  function showPresets() {
    const grid = $('presets');
    const buttons = [];
    for (let preset = presetBase; preset < presetBase + 10 && preset <= LAST_PRESET; ++preset) {
      const button = document.createElement('button');
      button.type = 'button';
      button.textContent = preset;
      button.dataset.preset = preset;
      buttons.push(button);
    }
    grid.replaceChildren(...buttons);
    $('presets-range').textContent =
      presetBase + '–' + Math.min(presetBase + 9, LAST_PRESET);
    $('presets-back').disabled = presetBase === 0;
    $('presets-next').disabled = presetBase + 10 > LAST_PRESET;
  }

  $('presets-back').addEventListener('click', () => {
    presetBase = Math.max(0, presetBase - 10);
    showPresets();
  });
  $('presets-next').addEventListener('click', () => {
    presetBase = Math.min(250, presetBase + 10);
    showPresets();
  });

  // A tap recalls; a press held long asks whether to store, in the page.
  const presets = $('presets');
  let pressTimer = null;
  let pressed = null;
  let longPress = false;
  const endPress = () => {
    clearTimeout(pressTimer);
    if (pressed) pressed.classList.remove('pressing');
    pressed = null;
  };
  presets.addEventListener('pointerdown', (event) => {
    const button = event.target.closest('button');
    if (!button) return;
    endPress();
    longPress = false;
    pressed = button;
    button.classList.add('pressing');
    pressTimer = setTimeout(() => {
      longPress = true;
      endPress();
      askStore(Number(button.dataset.preset));
    }, LONG_PRESS_MS);
  });
  for (const name of ['pointerup', 'pointercancel', 'pointerleave'])
    presets.addEventListener(name, endPress);
  presets.addEventListener('contextmenu', (event) => event.preventDefault());
  presets.addEventListener('click', async (event) => {
    const button = event.target.closest('button');
    if (!button || longPress) {
      longPress = false;
      return;
    }
    if (!active) return toast(say('noCamera'), true);
    const preset = Number(button.dataset.preset);
    told(await call('/api/v1/cameras/' + active + '/presets/' + preset + '/recall', null),
      say('recalled', { preset }));
  });

  function askStore(preset) {
    if (!active) return toast(say('noCamera'), true);
    storing = { camera: active, preset };
    $('confirm-text').textContent = say('storeAsk', storing);
    $('confirm').hidden = false;
    $('confirm-no').focus();
  }
  $('confirm-no').addEventListener('click', () => {
    storing = null;
    $('confirm').hidden = true;
  });
  $('confirm-form').addEventListener('submit', async (event) => {
    event.preventDefault();
    const asked = storing;
    storing = null;
    $('confirm').hidden = true;
    if (!asked) return;
    told(await call('/api/v1/cameras/' + asked.camera + '/presets/' + asked.preset + '/store',
      null), say('stored', asked));
  });

  // The active camera's kept positions, by name, in the order Go numbers
  // them; shown again only when they change, so that a tap is never lost
  // to a redrawn button.
  let shownPositions = '';

  function showPositions() {
    const camera = cameras.find((entry) => entry.number === active);
    const names = camera && Array.isArray(camera.positions) ? camera.positions : [];
    const key = JSON.stringify([active, language, names]);
    if (key === shownPositions) return;
    shownPositions = key;
    const buttons = names.slice(0, MOST_POSITIONS).map((name, index) => {
      const button = document.createElement('button');
      button.type = 'button';
      button.textContent = String(name) || String(index + 1);
      button.dataset.position = index + 1;
      return button;
    });
    $('positions').replaceChildren(...buttons);
    $('no-positions').hidden = buttons.length > 0;
  }
  $('positions').addEventListener('click', async (event) => {
    const button = event.target.closest('button');
    if (!button) return;
    if (!active) return toast(say('noCamera'), true);
    const position = Number(button.dataset.position);
    const camera = active;
    const answer = await call('/api/v1/cameras/' + camera + '/positions/' + position + '/go',
      null);
    const name = button.textContent;
    if (answer.status === 404) toast(say('noPosition', { camera, position: name }), true);
    else told(answer, say('going', { position: name }));
  });

  // ---- the token and the language ---------------------------------------

  $('token-form').addEventListener('submit', (event) => {
    event.preventDefault();
    token = $('token-input').value.trim();
    sessionStorage.setItem('zarvick-token', token);
    $('token-input').value = '';
    $('token').hidden = true;
    linkState = 'connecting';
    showLink();
    const waiting = tokenWaiters;
    tokenWaiters = [];
    waiting.forEach((resolve) => resolve());
  });

  function showWords() {
    document.documentElement.lang = language === 'zh' ? 'zh-CN' : 'en';
    for (const element of document.querySelectorAll('[data-t]'))
      element.textContent = say(element.dataset.t);
    $('language').textContent = say('other');
    showLink();
    showCameras();
  }
  $('language').addEventListener('click', () => {
    language = language === 'zh' ? 'en' : 'zh';
    localStorage.setItem('zarvick-language', language);
    showWords();
  });

  showPresets();
  showWords();
  follow();
})();
