// Starts one program of the course in its page, on the course's one module, as
// page-and-program.md describes. The first face, small, is fetched with the module and draws the
// first window; the whole face follows once the program runs and takes over. The program that
// keeps files, stuledger, gets a folder the browser keeps (IndexedDB), with the sample
// student1.dat on a first visit and a way to put in and take out its files.
'use strict';

const home = '/home/web_user'; // the program's folder (App.Path)

function sync(module, fromStorage) {
  return new Promise((resolve, reject) =>
    module.FS.syncfs(fromStorage, error => (error ? reject(error) : resolve())));
}

// One file of the folder into the browser's storage, and nothing else: the folder as this tab
// holds it may be older than what another tab of the program has stored since.
function storeFile(module, path) {
  const idbfs = module.FS.filesystems.IDBFS;
  return new Promise((resolve, reject) => idbfs.getDB(home, (error, db) => {
    if (error) return reject(error);
    idbfs.loadLocalEntry(path, (error, entry) => {
      if (error) return reject(error);
      const store = db.transaction([idbfs.DB_STORE_NAME], 'readwrite').objectStore(idbfs.DB_STORE_NAME);
      idbfs.storeRemoteEntry(store, path, entry, error => (error ? reject(error) : resolve()));
    });
  }));
}

// The tabs of the program tell each other of every file stored; each then takes the folder
// again from storage, as it does when it comes to the front, so that 打开 reads what another
// tab wrote.
function keepFolderCurrent(module) {
  const channel = new BroadcastChannel('coursework-folder');
  const takeFolder = () => sync(module, true).catch(error => console.warn('the folder:', error));
  channel.onmessage = takeFolder;
  document.addEventListener('visibilitychange', () => {
    if (document.visibilityState === 'visible') takeFolder();
  });
  const store = path => storeFile(module, path).then(() => channel.postMessage(path));
  // The program's call has nobody to tell of a failure; the page's own put-in says it.
  module.storeFile = path => store(path).catch(error => console.warn('storing ' + path + ':', error));
  return store;
}

function exists(module, path) {
  return module.FS.analyzePath(path).exists;
}

async function fetchBytes(url) {
  const response = await fetch(url);
  if (!response.ok) throw new Error(url + ': ' + response.status);
  return new Uint8Array(await response.arrayBuffer());
}

const faceFile = url => '/fonts/' + url.split('/').pop();

// Before the program starts: a face in /fonts (the whole one, where it came first) and the
// program's folder.
async function prepare(module, page, firstFace) {
  module.FS.mkdir('/fonts');
  const [url, bytes] = await firstFace;
  module.FS.writeFile(faceFile(url), bytes);
  if (!page.keepsFiles) return;
  module.FS.mount(module.FS.filesystems.IDBFS, {}, home);
  await sync(module, true);
  const store = keepFolderCurrent(module);
  if (!exists(module, home + '/student1.dat')) {
    module.FS.writeFile(home + '/student1.dat', await fetchBytes('student1.dat'));
    await store(home + '/student1.dat');
  }
  offerFiles(module, store);
}

// The whole face, once the program runs: it takes the first face's place.
async function followWithWholeFace(module, page, firstFace) {
  const [firstUrl] = await firstFace;
  if (firstUrl !== page.faces.whole) {
    const bytes = await fetchBytes(page.faces.whole);
    module.FS.writeFile(faceFile(page.faces.whole), bytes);
    module.FS.unlink(faceFile(firstUrl));
    module._courseFacesChanged();
  }
  document.documentElement.dataset.face = 'whole'; // for the tests
}

// Outside the program's window: the user's own student1.dat in, student2.dat out.
function offerFiles(module, store) {
  const status = document.querySelector('#filestatus');
  document.querySelector('#files').hidden = false;
  document.querySelector('#upload').addEventListener('change', async event => {
    const file = event.target.files[0];
    if (!file) return;
    event.target.value = '';
    // Whole or not at all: written beside it, then put in its place.
    const part = home + '/student1.dat.part';
    try {
      module.FS.writeFile(part, new Uint8Array(await file.arrayBuffer()));
      module.FS.rename(part, home + '/student1.dat');
      await store(home + '/student1.dat');
    } catch (error) {
      status.textContent = '放不进 student1.dat：' + (error.errno ?? error);
      return;
    }
    status.textContent = '已放入 student1.dat（' + file.size + ' 字节），用“文件 › 打开”读入。';
  });
  document.querySelector('#download').addEventListener('click', async () => {
    // What storage holds now, which another tab may have written.
    await sync(module, true).catch(error => console.warn('the folder:', error));
    if (!exists(module, home + '/student2.dat')) {
      status.textContent = '还没有 student2.dat：先用“文件 › 保存”保存。';
      return;
    }
    let bytes;
    try {
      bytes = module.FS.readFile(home + '/student2.dat');
    } catch (error) {
      status.textContent = '读不出 student2.dat：' + (error.errno ?? error);
      return;
    }
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([bytes], {type: 'application/octet-stream'}));
    link.download = 'student2.dat';
    link.click();
    // The download reads the bytes after this handler has returned.
    setTimeout(() => URL.revokeObjectURL(link.href), 60000);
  });
}

// page: {program, keepsFiles, module (its name without .js or .wasm), faces: {first, whole}}.
function startProgram(page) {
  const canvas = document.querySelector('#qtcanvas');
  const status = document.querySelector('#qtstatus');
  // The first face comes with the module, or the whole one where the browser has it already.
  const face = fetch(page.faces.whole, {cache: 'only-if-cached', mode: 'same-origin'})
    .then(response => (response.ok ? response.arrayBuffer() : Promise.reject(response.status)))
    .then(bytes => [page.faces.whole, new Uint8Array(bytes)])
    .catch(() => fetchBytes(page.faces.first).then(bytes => [page.faces.first, bytes]));
  const keys = document.querySelector('#keys');
  const keyboard = takeKeys(keys, canvas);
  const ended = () => { status.textContent = '程序已结束。刷新页面可再次运行。'; };
  const loader = QtLoader({
    canvasElements: [canvas],
    showLoader: () => { status.textContent = '正在加载…'; },
    showError: text => { status.textContent = '出错了：' + text; },
    showExit: ended,
    // The window is up: it has the keyboard, as a program that starts on a desktop has.
    showCanvas: () => {
      status.textContent = '';
      keys.focus({preventScroll: true});
    },
  });
  // This loader keeps the module's settings on the page's global object (self).
  self.moduleConfig.arguments = [page.program];
  self.moduleConfig.programEnded = ended;
  self.moduleConfig.preRun = [module => {
    module.addRunDependency('course');
    prepare(module, page, face).then(
      () => module.removeRunDependency('course'),
      error => { status.textContent = '出错了：' + error; });
  }];
  self.moduleConfig.postRun = [module => {
    keyboard.started(module);
    followWithWholeFace(module, page, face).catch(error => console.warn('the whole face:', error))
      .then(keepCourseOffline);
  }];
  loader.loadEmscriptenModule(page.module);
}

// The course kept in the browser for visits with the network off (sw.js), asked for once this
// page has what it needs, so that the worker's download takes the page's files from the browser's
// cache and never holds up the window; the index asks too, once loaded. Without service workers
// (a page over http: from a host other than localhost, an old browser) the pages work as before.
function keepCourseOffline() {
  if (!('serviceWorker' in navigator)) return;
  navigator.serviceWorker.register('sw.js')
    .catch(error => console.warn('the offline copy:', error));
}
